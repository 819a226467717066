// Steam's key–value text. Properties: what is read is UTF-8 without a NUL;
// a tree read, written back quoted and escaped, reads back the same
// (written again, the same text).

#include <cstdint>

#include "fuzz_support.h"
#include "platform/key_values.h"
#include "platform/text.h"

using namespace tarq;

namespace {

std::string Quoted(const std::string& text) {
  std::string out = "\"";
  for (const char c : text) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  return out + "\" ";
}

std::string Written(const platform::KeyValues& entries) {
  std::string out;
  for (const platform::KeyValue& e : entries) {
    FUZZ_CHECK(platform::IsValidUtf8(e.key + e.value));
    FUZZ_CHECK((e.key + e.value).find('\0') == std::string::npos);
    out += Quoted(e.key) + (e.isBlock ? "{\n" + Written(e.block) + "}\n" : Quoted(e.value) + "\n");
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto read = platform::ReadKeyValues({reinterpret_cast<const char*>(data), size});
  if (!read) return 0;
  const auto back = platform::ReadKeyValues(Written(*read));
  FUZZ_CHECK(back.has_value() && Written(*back) == Written(*read));
  return 0;
}
