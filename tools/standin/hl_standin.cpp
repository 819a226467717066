// A stand-in for the game's hl.exe, for tests: writes its whole command line
// and its working folder, as UTF-8 lines, to "<its own path>.record", then
// exits. While a file "<its own path>.hold" exists it keeps running, and
// writes "<its own path>.ended" when it goes. Built for Windows only.

#include <windows.h>

#include <string>

namespace {

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                    0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n,
                      nullptr, nullptr);
  return out;
}

}  // namespace

int wmain() {
  wchar_t self[32768];
  const DWORD length = GetModuleFileNameW(nullptr, self, 32768);
  std::wstring folder(GetCurrentDirectoryW(0, nullptr), L'\0');
  folder.resize(GetCurrentDirectoryW(static_cast<DWORD>(folder.size()), folder.data()));
  const std::string record = Utf8(GetCommandLineW()) + "\n" + Utf8(folder) + "\n";
  // Written under another name and renamed, so a reader never sees half of it.
  const std::wstring target = std::wstring(self, length) + L".record";
  const std::wstring temporary = target + L".tmp";
  const HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  WriteFile(file, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
  CloseHandle(file);
  if (!MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)) return 1;
  const std::wstring hold = std::wstring(self, length) + L".hold";
  if (GetFileAttributesW(hold.c_str()) == INVALID_FILE_ATTRIBUTES) return 0;
  while (GetFileAttributesW(hold.c_str()) != INVALID_FILE_ATTRIBUTES) Sleep(50);
  const std::wstring ended = std::wstring(self, length) + L".ended";
  CloseHandle(CreateFileW(ended.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
  return 0;
}
