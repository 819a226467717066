#include "platform/cp932_codec.h"

#include <array>
#include <cstddef>
#include <memory>

namespace tarq::platform::cp932 {
namespace {

#include "platform/cp932_table.inc"

constexpr int kTrailCount = 189;  // 0x40-0xFC

int LeadSlot(unsigned char lead) {
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

bool IsLeadByte(unsigned char b) { return LeadSlot(b) >= 0; }

std::uint16_t DoubleByte(unsigned char lead, unsigned char trail) {
  const int slot = LeadSlot(lead);
  if (slot < 0 || trail < 0x40 || trail > 0xFC) return 0;
  return kDoubleByte[slot * kTrailCount + (trail - 0x40)];
}

int Encode(std::uint16_t unit) {
  static const std::unique_ptr<ReverseTable> reverse = BuildReverse();
  return (*reverse)[unit];
}

}  // namespace tarq::platform::cp932
