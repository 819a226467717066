// Code page 932 through the system's own conversion, with no silent
// replacement: an invalid byte or a character without a code is a failure.

#include <windows.h>

#include "platform/cp932_codec.h"
#include "platform/text.h"
#include "platform/win32/wide.h"

namespace tarq::platform {
namespace win32 {

std::wstring Wide(std::string_view utf8) {
  if (utf8.empty()) return {};
  const int n =
      MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
  return out;
}

std::string Narrow(std::wstring_view utf16) {
  if (utf16.empty()) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()),
                                    nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()), out.data(), n,
                      nullptr, nullptr);
  return out;
}

}  // namespace win32

namespace {

constexpr UINT kCodePage = 932;

std::optional<std::wstring> FromCp932(std::string_view bytes) {
  if (bytes.empty()) return std::wstring();
  // The strict conversion may also refuse (Wine's does) the single bytes 0xA0
  // and 0xFD-0xFF, which the system's table maps to U+F8F0-U+F8F3 and back:
  // bytes that the code page's table takes are then converted without the
  // check, so that files holding them are written back whole.
  DWORD flags = MB_ERR_INVALID_CHARS;
  int n = MultiByteToWideChar(kCodePage, flags, bytes.data(), static_cast<int>(bytes.size()),
                              nullptr, 0);
  if (n <= 0) {
    if (!cp932::IsValid(bytes)) return std::nullopt;
    flags = 0;
    n = MultiByteToWideChar(kCodePage, flags, bytes.data(), static_cast<int>(bytes.size()), nullptr,
                            0);
    if (n <= 0) return std::nullopt;
  }
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(kCodePage, flags, bytes.data(), static_cast<int>(bytes.size()), out.data(),
                      n);
  return out;
}

}  // namespace

bool IsValidCp932(std::string_view bytes) {
  return FromCp932(bytes).has_value();
}

std::optional<std::string> DecodeCp932(std::string_view bytes) {
  const auto wide = FromCp932(bytes);
  if (!wide) return std::nullopt;
  return win32::Narrow(*wide);
}

std::optional<std::string> EncodeCp932(std::string_view utf8) {
  if (utf8.empty()) return std::string();
  if (!IsValidUtf8(utf8)) return std::nullopt;
  const std::wstring wide = win32::Wide(utf8);
  BOOL usedDefault = FALSE;
  const int n =
      WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, wide.data(),
                          static_cast<int>(wide.size()), nullptr, 0, nullptr, &usedDefault);
  if (n <= 0 || usedDefault) return std::nullopt;
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()),
                      out.data(), n, nullptr, &usedDefault);
  return out;
}

}  // namespace tarq::platform
