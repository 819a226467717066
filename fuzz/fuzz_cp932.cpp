// Code page 932 both ways. Properties: the check agrees with the decoder;
// text that decodes encodes back to bytes that decode to the same text, and
// to the very same bytes unless they use a character the code page holds
// twice (the NEC and IBM rows); text that encodes decodes back unchanged.

#include <cstdint>

#include "fuzz_support.h"
#include "platform/text.h"

using namespace tarq;

namespace {

// Lead bytes of rows that repeat characters found elsewhere in the code page.
bool HasDuplicateRows(const std::string& bytes) {
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    if (b == 0x87 || b == 0xED || b == 0xEE || b == 0xFA || b == 0xFB || b == 0xFC) return true;
    if ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC)) ++i;  // skip the trail byte
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const auto text = platform::DecodeCp932(bytes);
  FUZZ_CHECK(platform::IsValidCp932(bytes) == text.has_value());
  if (text) {
    FUZZ_CHECK(platform::IsValidUtf8(*text));
    const auto back = platform::EncodeCp932(*text);
    FUZZ_CHECK(back.has_value());
    FUZZ_CHECK(platform::DecodeCp932(*back) == text);
    if (!HasDuplicateRows(bytes)) FUZZ_CHECK(*back == bytes);
  }
  // The same bytes as UTF-8 text.
  if (platform::IsValidUtf8(bytes)) {
    const auto encoded = platform::EncodeCp932(bytes);
    if (encoded) FUZZ_CHECK(platform::DecodeCp932(*encoded) == bytes);
    FUZZ_CHECK(platform::Utf16Prefix(bytes, platform::Utf16Length(bytes)) == bytes);
  }
  return 0;
}
