#include <windows.h>

#include <objbase.h>
#include <shellapi.h>

#include "platform/fs.h"
#include "platform/process.h"
#include "platform/win32/process_win32.h"
#include "platform/win32/system_library.h"
#include "platform/win32/wide.h"

namespace tarq::platform {
namespace {

// CreateProcessW's answer for a program whose manifest asks to run as
// administrator; winerror.h of mingw-w64 lacks it.
constexpr DWORD kElevationRequired = 740;  // ERROR_ELEVATION_REQUIRED

}  // namespace

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
    return GetLastError() == kElevationRequired && win32::StartThroughShell(start);
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

bool win32::StartThroughShell(const ProcessStart& start) {
  using ShellExecuteExWFn = BOOL(WINAPI*)(SHELLEXECUTEINFOW*);
  using CoInitializeExFn = HRESULT(WINAPI*)(void*, DWORD);
  using CoUninitializeFn = void(WINAPI*)();
  static const auto shellExecute =
      SystemFunction<ShellExecuteExWFn>(L"shell32.dll", "ShellExecuteExW");
  static const auto initialize = SystemFunction<CoInitializeExFn>(L"ole32.dll", "CoInitializeEx");
  static const auto uninitialize = SystemFunction<CoUninitializeFn>(L"ole32.dll", "CoUninitialize");
  if (shellExecute == nullptr) return false;
  const std::wstring application = Wide(start.executable);
  // The shell puts a space between the quoted program and the parameters.
  const std::string_view tail = start.commandTail;
  const std::wstring parameters = Wide(tail.starts_with(' ') ? tail.substr(1) : tail);
  const std::wstring folder = Wide(start.workingFolder);
  SHELLEXECUTEINFOW execute{};
  execute.cbSize = sizeof execute;
  // Nothing but the consent in between: no message of the shell's own (the
  // caller reports a failure), no security zone warning that CreateProcessW
  // does not give either.
  execute.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI | SEE_MASK_NOZONECHECKS;
  execute.lpFile = application.c_str();
  execute.lpParameters = parameters.empty() ? nullptr : parameters.c_str();
  execute.lpDirectory = folder.empty() ? nullptr : folder.c_str();
  execute.nShow = SW_SHOWNORMAL;
  // The shell may hand the start to COM objects, which need COM on this thread.
  const bool com =
      initialize != nullptr && uninitialize != nullptr &&
      SUCCEEDED(initialize(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
  const bool started = shellExecute(&execute) != 0 || GetLastError() == ERROR_CANCELLED;
  if (com) uninitialize();
  return started;
}

}  // namespace tarq::platform
