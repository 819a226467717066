// Code page 932 conversion from the code page's own table: POSIX systems have
// no ANSI code page, and iconv's CP932 differs from Windows in its choices.

#include <cstdint>

#include "platform/cp932_codec.h"
#include "platform/text.h"

namespace tarq::platform {
namespace {

void AppendUtf8(std::string& out, std::uint32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

// Walks bytes; calls emit(unit) per character. False on an invalid sequence.
template <typename Emit>
bool Walk(std::string_view bytes, Emit&& emit) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::size_t n = bytes.size();
  std::size_t i = 0;
  while (i < n) {
    const unsigned char b = p[i];
    if (b < 0x80) {
      emit(b);
      ++i;
      continue;
    }
    if (cp932::IsLeadByte(b)) {
      if (i + 1 >= n) return false;
      const std::uint16_t u = cp932::DoubleByte(b, p[i + 1]);
      if (u == 0) return false;
      emit(u);
      i += 2;
      continue;
    }
    const std::uint16_t u = cp932::SingleByte(b);
    if (u == 0) return false;
    emit(u);
    ++i;
  }
  return true;
}

}  // namespace

bool IsValidCp932(std::string_view bytes) {
  return Walk(bytes, [](std::uint16_t) {});
}

std::optional<std::string> DecodeCp932(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 2);
  if (!Walk(bytes, [&out](std::uint16_t u) { AppendUtf8(out, u); })) return std::nullopt;
  return out;
}

std::optional<std::string> EncodeCp932(std::string_view utf8) {
  if (!IsValidUtf8(utf8)) return std::nullopt;
  std::string out;
  out.reserve(utf8.size());
  std::size_t i = 0;
  while (i < utf8.size()) {
    const auto b = static_cast<unsigned char>(utf8[i]);
    if (b < 0x80) {
      out.push_back(static_cast<char>(b));
      ++i;
      continue;
    }
    if (b >= 0xF0) return std::nullopt;  // beyond the BMP: no code page 932 code
    const int len = b >= 0xE0 ? 3 : 2;
    std::uint32_t cp = b & (len == 3 ? 0x0Fu : 0x1Fu);
    for (int k = 1; k < len; ++k) {
      cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + static_cast<std::size_t>(k)]) & 0x3Fu);
    }
    const int code = cp932::Encode(static_cast<std::uint16_t>(cp));
    if (code < 0) return std::nullopt;
    if (code > 0xFF) out.push_back(static_cast<char>(code >> 8));
    out.push_back(static_cast<char>(code & 0xFF));
    i += static_cast<std::size_t>(len);
  }
  return out;
}

}  // namespace tarq::platform
