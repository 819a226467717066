// Code page 932 and the ANSI code page through the system's own conversion,
// with no silent replacement: an invalid byte or a character without a code
// is a failure.

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

namespace {

// The length in bytes of UTF-16 text in a code page, nullopt when a
// character has no code of its own there (no default character, no best
// fit).
std::optional<int> EncodedLength(UINT codePage, const std::wstring& wide) {
  BOOL usedDefault = FALSE;
  const int n =
      WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, wide.data(),
                          static_cast<int>(wide.size()), nullptr, 0, nullptr, &usedDefault);
  if (n <= 0 || usedDefault) return std::nullopt;
  return n;
}

}  // namespace

std::optional<std::string> EncodeCp932(std::string_view utf8) {
  if (utf8.empty()) return std::string();
  if (!IsValidUtf8(utf8)) return std::nullopt;
  const std::wstring wide = win32::Wide(utf8);
  const auto n = EncodedLength(kCodePage, wide);
  if (!n) return std::nullopt;
  std::string out(static_cast<std::size_t>(*n), '\0');
  WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()),
                      out.data(), *n, nullptr, nullptr);
  return out;
}

// The code page of this process, which is the system's: the manifest names
// no code page of its own (activeCodePage).
unsigned SystemAnsiCodePage() {
  return GetACP();
}

bool CodePageCarries(unsigned codePage, std::string_view utf8) {
  if (!IsValidUtf8(utf8)) return false;
  // UTF-8 holds every character, and takes neither flag nor default.
  if (utf8.empty() || codePage == CP_UTF8) return true;
  return EncodedLength(codePage, win32::Wide(utf8)).has_value();
}

}  // namespace tarq::platform
