#include "platform/cp932_codec.h"

#include "platform/text.h"

#include <array>
#include <cstddef>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace tarq::platform::cp932 {
namespace {

#include "platform/cp932_table.inc"

constexpr int kTrailCount = 189;  // 0x40-0xFC

constexpr int LeadSlot(unsigned char lead) {
  if (lead >= 0x81 && lead <= 0x9F) return lead - 0x81;
  if (lead >= 0xE0 && lead <= 0xFC) return lead - 0xE0 + 31;
  return -1;
}

using ReverseTable = std::array<std::int32_t, 0x10000>;

std::unique_ptr<ReverseTable> BuildReverse() {
  auto table = std::make_unique<ReverseTable>();
  table->fill(-1);
  for (int b = 0; b < 0x80; ++b) (*table)[static_cast<std::size_t>(b)] = b;
  for (int b = 0x80; b <= 0xFF; ++b) {
    const std::uint16_t u = kSingleByte[b - 0x80];
    if (u != 0) (*table)[u] = b;
  }
  // Two passes give the Windows preference for characters that have two codes.
  for (int pass = 0; pass < 2; ++pass) {
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
      const int slot = LeadSlot(static_cast<unsigned char>(lead));
      if (slot < 0) continue;
      const bool necSelected = lead == 0xED || lead == 0xEE;
      if (necSelected != (pass == 1)) continue;
      for (int t = 0; t < kTrailCount; ++t) {
        const std::uint16_t u = kDoubleByte[slot * kTrailCount + t];
        if (u != 0 && (*table)[u] < 0) (*table)[u] = (lead << 8) | (t + 0x40);
      }
    }
  }
  return table;
}

}  // namespace

std::uint16_t SingleByte(unsigned char b) {
  return b < 0x80 ? b : kSingleByte[b - 0x80];
}

bool IsLeadByte(unsigned char b) {
  return LeadSlot(b) >= 0;
}

std::uint16_t DoubleByte(unsigned char lead, unsigned char trail) {
  const int slot = LeadSlot(lead);
  if (slot < 0 || trail < 0x40 || trail > 0xFC) return 0;
  return kDoubleByte[slot * kTrailCount + (trail - 0x40)];
}

int Encode(std::uint16_t unit) {
  static const std::unique_ptr<ReverseTable> reverse = BuildReverse();
  return (*reverse)[unit];
}

// Two passes over the bytes, the first to check them and size the text, the
// second to write it: no per-character allocation and no spare buffer. The
// hot path of every map list rebuild, which decodes the whole comment file.
namespace {

template <typename Sink>
bool DecodeWith(std::string_view bytes, Sink&& sink) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::size_t n = bytes.size();
  std::size_t i = 0;
  while (i < n) {
    std::size_t ascii = i;
    while (ascii + 8 <= n) {
      std::uint64_t word;
      std::memcpy(&word, p + ascii, 8);
      if ((word & 0x8080808080808080ULL) != 0) break;
      ascii += 8;
    }
    while (ascii < n && p[ascii] < 0x80) ++ascii;
    if (ascii > i) sink.Ascii(p + i, ascii - i);
    i = ascii;
    if (i >= n) break;
    const unsigned char b = p[i];
    std::uint16_t u;
    if (IsLeadByte(b)) {
      if (i + 1 >= n) return false;
      u = DoubleByte(b, p[i + 1]);
      i += 2;
    } else {
      u = SingleByte(b);
      ++i;
    }
    if (u == 0) return false;
    sink.Unit(u);
  }
  return true;
}

struct Counter {
  std::size_t size = 0;
  void Ascii(const unsigned char*, std::size_t count) { size += count; }
  void Unit(std::uint16_t u) { size += u < 0x800 ? 2 : 3; }  // never below 0x80 here
};

struct Writer {
  char* out;
  void Ascii(const unsigned char* from, std::size_t count) {
    std::memcpy(out, from, count);
    out += count;
  }
  void Unit(std::uint16_t u) {
    if (u < 0x800) {
      *out++ = static_cast<char>(0xC0 | (u >> 6));
      *out++ = static_cast<char>(0x80 | (u & 0x3F));
    } else {
      *out++ = static_cast<char>(0xE0 | (u >> 12));
      *out++ = static_cast<char>(0x80 | ((u >> 6) & 0x3F));
      *out++ = static_cast<char>(0x80 | (u & 0x3F));
    }
  }
};

}  // namespace

namespace {

enum ByteClass : std::uint8_t { kAsciiByte, kSingleChar, kLeadByte, kNoChar };

constexpr std::array<std::uint8_t, 256> kByteClass = [] {
  std::array<std::uint8_t, 256> classes{};
  for (int b = 0; b < 256; ++b) {
    const auto byte = static_cast<unsigned char>(b);
    classes[static_cast<std::size_t>(b)] = b < 0x80                     ? kAsciiByte
                                           : LeadSlot(byte) >= 0        ? kLeadByte
                                           : kSingleByte[b - 0x80] != 0 ? kSingleChar
                                                                        : kNoChar;
  }
  return classes;
}();

// One bit per two-byte code (lead << 8 | trail), set where the pair is a
// character: 8 KiB that stay in the cache, where the UTF-16 table is 22.
constexpr std::array<std::uint64_t, 1024> kAssignedPairs = [] {
  std::array<std::uint64_t, 1024> bits{};
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    const int slot = LeadSlot(static_cast<unsigned char>(lead));
    if (slot < 0) continue;
    for (int t = 0; t < kTrailCount; ++t) {
      if (kDoubleByte[slot * kTrailCount + t] == 0) continue;
      const int code = (lead << 8) | (t + 0x40);
      bits[static_cast<std::size_t>(code >> 6)] |= std::uint64_t{1} << (code & 63);
    }
  }
  return bits;
}();

}  // namespace

// The check alone runs on every save and delete over the whole comment
// file: ASCII goes eight bytes at a time, runs of other characters one
// character at a time, each a single lookup.
bool IsValid(std::string_view bytes) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::size_t n = bytes.size();
  std::size_t i = 0;
  while (i < n) {
    if (p[i] < 0x80) {
      ++i;
      while (i + 8 <= n) {
        std::uint64_t word;
        std::memcpy(&word, p + i, 8);
        if ((word & 0x8080808080808080ULL) != 0) break;
        i += 8;
      }
      continue;
    }
    do {
      const unsigned char b = p[i];
      const std::uint8_t kind = kByteClass[b];
      if (kind == kLeadByte) {
        if (i + 1 >= n) return false;
        const unsigned code = (static_cast<unsigned>(b) << 8) | p[i + 1];
        if (((kAssignedPairs[code >> 6] >> (code & 63)) & 1) == 0) return false;
        i += 2;
      } else if (kind == kSingleChar) {
        ++i;
      } else {
        return false;
      }
    } while (i < n && p[i] >= 0x80);
  }
  return true;
}

std::optional<std::string> Decode(std::string_view bytes) {
  Counter counter;
  if (!DecodeWith(bytes, counter)) return std::nullopt;
  std::string text(counter.size, '\0');
  DecodeWith(bytes, Writer{text.data()});
  return text;
}

std::optional<std::string> EncodeUtf8(std::string_view utf8) {
  if (!IsValidUtf8(utf8)) return std::nullopt;
  std::string out;
  out.reserve(utf8.size());
  std::size_t i = 0;
  while (i < utf8.size()) {
    const char32_t c = NextCharacter(utf8, i);
    if (c > 0xFFFF) return std::nullopt;  // beyond the BMP: no code page 932 code
    const int code = c < 0x80 ? static_cast<int>(c) : Encode(static_cast<std::uint16_t>(c));
    if (code < 0) return std::nullopt;
    if (code > 0xFF) out.push_back(static_cast<char>(code >> 8));
    out.push_back(static_cast<char>(code & 0xFF));
  }
  return out;
}

}  // namespace tarq::platform::cp932
