// A stand-in for the game's hl.exe, for tests: writes the WINEPREFIX it was
// started with (empty outside Wine) to "<its own path>.wineprefix", then its
// whole command line and its working folder, as UTF-8 lines, to
// "<its own path>.record", then exits. While a file "<its own path>.hold"
// exists it keeps running, and writes "<its own path>.ended" when it goes.
// Built for Windows only.

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

bool Write(const std::wstring& path, const std::string& text) {
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
  return true;
}

}  // namespace

int wmain() {
  wchar_t self[32768];
  const DWORD length = GetModuleFileNameW(nullptr, self, 32768);
  const std::wstring path(self, length);
  wchar_t prefix[32768] = L"";
  GetEnvironmentVariableW(L"WINEPREFIX", prefix, 32768);
  if (!Write(path + L".wineprefix", Utf8(prefix))) return 1;
  std::wstring folder(GetCurrentDirectoryW(0, nullptr), L'\0');
  folder.resize(GetCurrentDirectoryW(static_cast<DWORD>(folder.size()), folder.data()));
  // Written under another name and renamed, so a reader never sees half of it.
  const std::wstring target = path + L".record";
  if (!Write(target + L".tmp", Utf8(GetCommandLineW()) + "\n" + Utf8(folder) + "\n") ||
      !MoveFileExW((target + L".tmp").c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    return 1;
  }
  const std::wstring hold = path + L".hold";
  if (GetFileAttributesW(hold.c_str()) == INVALID_FILE_ATTRIBUTES) return 0;
  while (GetFileAttributesW(hold.c_str()) != INVALID_FILE_ATTRIBUTES) Sleep(50);
  Write(path + L".ended", "");
  return 0;
}
