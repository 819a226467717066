#include "platform/text.h"

#include <algorithm>
#include <cstdint>

namespace tarq::platform {
namespace {

// Length of the UTF-8 sequence starting with lead byte b, 0 if b cannot lead.
int SequenceLength(unsigned char b) {
  if (b < 0x80) return 1;
  if (b >= 0xC2 && b <= 0xDF) return 2;
  if (b >= 0xE0 && b <= 0xEF) return 3;
  if (b >= 0xF0 && b <= 0xF4) return 4;
  return 0;
}

}  // namespace

bool IsValidUtf8(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    const auto b = static_cast<unsigned char>(text[i]);
    const int n = SequenceLength(b);
    if (n == 0 || i + static_cast<std::size_t>(n) > text.size()) return false;
    std::uint32_t cp = n == 1 ? b : b & (0x7Fu >> n);
    for (int k = 1; k < n; ++k) {
      const auto c = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
      if ((c & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (c & 0x3Fu);
    }
    if ((n == 3 && cp < 0x800) || (n == 4 && (cp < 0x10000 || cp > 0x10FFFF)) ||
        (cp >= 0xD800 && cp <= 0xDFFF)) {
      return false;
    }
    i += static_cast<std::size_t>(n);
  }
  return true;
}

bool SameIgnoringAsciiCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return AsciiUpper(x) == AsciiUpper(y);
         });
}

char32_t NextCharacter(std::string_view utf8, std::size_t& i) {
  const auto lead = static_cast<unsigned char>(utf8[i++]);
  const int n = SequenceLength(lead);
  char32_t c = n <= 1 ? lead : lead & (0x7Fu >> n);
  for (int k = 1; k < n; ++k) c = (c << 6) | (static_cast<unsigned char>(utf8[i++]) & 0x3Fu);
  return c;
}

std::size_t Utf16Length(std::string_view utf8) {
  std::size_t units = 0;
  for (const char ch : utf8) {
    const auto b = static_cast<unsigned char>(ch);
    if ((b & 0xC0) != 0x80) ++units;  // one per character ...
    if (b >= 0xF0) ++units;           // ... and a surrogate pair beyond the BMP
  }
  return units;
}

std::string_view Utf16Prefix(std::string_view utf8, std::size_t units) {
  std::size_t taken = 0;
  std::size_t i = 0;
  while (i < utf8.size()) {
    const auto b = static_cast<unsigned char>(utf8[i]);
    const std::size_t need = b >= 0xF0 ? 2 : 1;
    if (taken + need > units) break;
    taken += need;
    const int n = SequenceLength(b);
    i += n == 0 ? 1 : static_cast<std::size_t>(n);
  }
  return utf8.substr(0, i < utf8.size() ? i : utf8.size());
}

}  // namespace tarq::platform
