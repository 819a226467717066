// Code page 932 conversion from the code page's own table: POSIX systems have
// no ANSI code page, and iconv's CP932 differs from Windows in its choices.

#include "platform/cp932_codec.h"
#include "platform/text.h"

namespace tarq::platform {

bool IsValidCp932(std::string_view bytes) {
  return cp932::IsValid(bytes);
}

std::optional<std::string> DecodeCp932(std::string_view bytes) {
  return cp932::Decode(bytes);
}

std::optional<std::string> EncodeCp932(std::string_view utf8) {
  return cp932::EncodeUtf8(utf8);
}

}  // namespace tarq::platform
