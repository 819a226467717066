#pragma once
// UTF-8 <-> UTF-16 at the Win32 boundary: the platform layer's and the
// Win32 windows'.

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace tarq::platform::win32 {

std::wstring Wide(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

// The text of a call that fills a buffer, `fill(buffer, size)`, for the
// calls that answer a buffer too small with the size they need (the
// terminating zero included) and otherwise with the length they wrote:
// GetFullPathNameW, GetEnvironmentVariableW, GetCurrentDirectoryW,
// GetFinalPathNameByHandleW, GetSystemWindowsDirectoryW. No length limit,
// paths deeper than MAX_PATH included; nullopt when the call fails or the
// text is empty.
template <typename Fill>
std::optional<std::wstring> FilledText(const Fill& fill) {
  std::wstring buffer;
  DWORD n = fill(nullptr, 0);
  while (n > buffer.size()) {  // the text may grow between the calls
    buffer.resize(n);
    n = fill(buffer.data(), static_cast<DWORD>(buffer.size()));
  }
  if (n == 0) return std::nullopt;
  buffer.resize(n);
  return buffer;
}

}  // namespace tarq::platform::win32
