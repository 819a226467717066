#include <windows.h>

#include "platform/fs.h"
#include "platform/process.h"
#include "platform/win32/wide.h"

namespace tarq::platform {

using win32::Narrow;
using win32::Wide;

bool ChangeDrive(std::string_view folder) {
  if (folder.size() < 2 || folder[1] != ':') return true;  // no drive letter: nothing to change
  const wchar_t drive[] = {static_cast<wchar_t>(folder[0]), L':', L'\0'};
  return SetCurrentDirectoryW(drive) != 0;
}

bool ChangeFolder(const std::string& folder) {
  return !folder.empty() && SetCurrentDirectoryW(Wide(folder).c_str()) != 0;
}

std::string CurrentFolder() {
  const auto folder = win32::FilledText(
      [](wchar_t* buffer, DWORD size) { return GetCurrentDirectoryW(size, buffer); });
  return folder ? Narrow(*folder) : std::string();
}

bool StartDetachedProcess(const ProcessStart& start) {
  // The program is named exactly, and quoted in its command line, so that a
  // path with spaces never starts C:\Program.exe instead.
  const std::wstring application = Wide(start.executable);
  std::wstring commandLine = L"\"" + application + L"\"" + Wide(start.commandTail);
  const std::wstring folder = Wide(start.workingFolder);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(application.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.empty() ? nullptr : folder.c_str(), &startup, &process)) {
    return false;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

}  // namespace tarq::platform
