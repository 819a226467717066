// The settings file's lines and their numbers, in memory as start-up reads
// them. Properties: lines joined again by CR LF split back the same; spaces
// and tabs anywhere leave a number as it is; a number reads back from its
// print form; the file the exit writes for values taken from the input
// reads back as those values. Only the first four lines are decoded, as at
// start-up: decoding every line of an input of thousands of short lines
// made the run three and a half times slower and reached nothing more.

#include <algorithm>
#include <cstdint>

#include "core/settings_file.h"
#include "fuzz_support.h"

using namespace tarq;

namespace {

std::string WithoutBlanks(std::string_view text) {
  std::string out(text);
  out.erase(std::remove_if(out.begin(), out.end(), [](char c) { return c == ' ' || c == '\t'; }),
            out.end());
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> lines = core::SettingsLines(bytes);
  std::string joined;
  for (const std::string& line : lines) {
    FUZZ_CHECK(line.find_first_of("\r\n") == std::string::npos);
    joined += line;
    joined += "\r\n";
  }
  FUZZ_CHECK(core::SettingsLines(joined) == lines);

  // Values as start-up would restore them, as far as the lines allow.
  core::SettingsValues values;
  std::int16_t* const numbers[] = {&values.difficulty, &values.heapSize, &values.console};
  for (std::size_t k = 0; k < std::min<std::size_t>(lines.size(), 4); ++k) {
    const auto text = core::DecodeSettingsLine(lines[k]);
    if (!text) continue;
    if (k == 0) {
      if (core::CanStoreGameFolder(*text)) values.gameFolder = *text;
      continue;
    }
    const auto value = core::SettingsNumber(*text);
    FUZZ_CHECK(core::SettingsNumber(WithoutBlanks(*text)) == value);
    if (!value) continue;
    FUZZ_CHECK(core::SettingsNumber(core::PrintForm(*value)) == value);
    *numbers[k - 1] = *value;
  }

  const auto file = core::SettingsFileBytes(values);
  FUZZ_CHECK(file.has_value());
  const std::vector<std::string> back = core::SettingsLines(*file);
  FUZZ_CHECK(back.size() == 4);
  FUZZ_CHECK(core::DecodeSettingsLine(back[0]) == values.gameFolder);
  for (std::size_t k = 1; k < 4; ++k) {
    FUZZ_CHECK(core::SettingsNumber(*core::DecodeSettingsLine(back[k])) == *numbers[k - 1]);
  }
  return 0;
}
