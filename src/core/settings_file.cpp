#include "core/settings_file.h"

#include <charconv>
#include <cmath>
#include <iterator>

#include "core/launch_options.h"
#include "platform/file_lock.h"
#include "platform/fs.h"
#include "platform/text.h"
#include "platform/text_lines.h"

namespace tarq::core {

std::optional<std::vector<std::string>> ReadSettingsLines(const std::string& path) {
  const platform::ReadResult file = platform::ReadWholeFile(path);
  if (file.status != platform::ReadStatus::kOk) return std::nullopt;
  return SettingsLines(file.bytes);
}

std::vector<std::string> SettingsLines(std::string_view bytes) {
  std::vector<std::string> lines;
  platform::ForEachLine(bytes, [&lines](std::string_view line) {
    lines.emplace_back(line);
    return true;
  });
  return lines;
}

std::optional<std::string> DecodeSettingsLine(std::string_view bytes) {
  return platform::DecodeCp932(bytes);
}

SettingsRead ReadSettingsFile(const std::string& path) {
  SettingsRead read;
  const auto lines = ReadSettingsLines(path);
  if (!lines || lines->empty()) return read;
  read.gameFolder = DecodeSettingsLine((*lines)[0]);
  if (!read.gameFolder) return read;
  const std::size_t rows[] = {kDifficultyRows.size(), kHeapSizeRows.size(), kConsoleRows.size()};
  for (std::size_t k = 0; k < std::size(rows) && k + 1 < lines->size(); ++k) {
    const auto text = DecodeSettingsLine((*lines)[k + 1]);
    const auto value = text ? SettingsNumber(*text) : std::nullopt;
    if (!value || *value < -1 || *value >= static_cast<int>(rows[k])) break;
    read.listIndexes.push_back(*value);
  }
  return read;
}

std::optional<std::int16_t> SettingsNumber(std::string_view text) {
  std::string number;  // the recognised part, blanks removed, in C syntax
  enum class Part { kSign, kInteger, kFraction, kExponentSign, kExponent } part = Part::kSign;
  for (const char c : text) {
    if (c == ' ' || c == '\t') continue;
    const bool digit = c >= '0' && c <= '9';
    if (part == Part::kSign && (c == '+' || c == '-')) {
      number += c;
      part = Part::kInteger;
    } else if (digit && part != Part::kExponentSign) {
      number += c;
      if (part == Part::kSign) part = Part::kInteger;
    } else if (digit) {
      number += c;
      part = Part::kExponent;
    } else if (c == '.' && (part == Part::kSign || part == Part::kInteger)) {
      number += c;
      part = Part::kFraction;
    } else if ((c == 'e' || c == 'E') && (part == Part::kInteger || part == Part::kFraction)) {
      number += 'e';
      part = Part::kExponentSign;
    } else if ((c == '+' || c == '-') && part == Part::kExponentSign) {
      number += c;
      part = Part::kExponent;
    } else {
      break;
    }
  }
  // Parts that started but hold no digits ("-", ".", "1e", "1e+") count as absent.
  while (!number.empty() && (number.back() == 'e' || number.back() == '+' || number.back() == '-' ||
                             number.back() == '.')) {
    number.pop_back();
  }
  double value = 0.0;
  if (!number.empty()) {
    // from_chars ignores the locale, which the toolkit sets from the user's.
    const char* first = number.c_str();
    if (*first == '+') ++first;
    const auto [end, error] = std::from_chars(first, number.c_str() + number.size(), value);
    if (error == std::errc::result_out_of_range) return std::nullopt;
    if (error != std::errc{}) value = 0.0;
  }
  if (!std::isfinite(value)) return std::nullopt;
  const double rounded = std::nearbyint(value);  // halves to even
  if (rounded < -32768.0 || rounded > 32767.0) return std::nullopt;
  return static_cast<std::int16_t>(rounded);
}

std::string PrintForm(std::int32_t value) {
  std::string text = value < 0 ? "-" : " ";
  text += std::to_string(value < 0 ? -static_cast<std::int64_t>(value) : value);
  text += ' ';
  return text;
}

namespace {

// The first line's bytes; nullopt when the file cannot carry the folder.
std::optional<std::string> GameFolderLine(std::string_view folder) {
  if (folder.find_first_of("\r\n") != std::string_view::npos) return std::nullopt;
  return platform::EncodeCp932(folder);
}

}  // namespace

bool CanStoreGameFolder(std::string_view folder) {
  return GameFolderLine(folder).has_value();
}

std::optional<std::string> SettingsFileBytes(const SettingsValues& values) {
  auto bytes = GameFolderLine(values.gameFolder);
  if (!bytes) return std::nullopt;
  *bytes += "\r\n";
  for (const std::int16_t v : {values.difficulty, values.heapSize, values.console}) {
    *bytes += PrintForm(v);
    *bytes += "\r\n";
  }
  return bytes;
}

bool WriteSettingsFile(const std::string& path, const SettingsValues& values) {
  const auto bytes = SettingsFileBytes(values);
  if (!bytes) return false;
  const platform::FileLock lock(path);
  lock.RemoveLeftovers();
  return platform::ReplaceFileContents(path, *bytes);
}

}  // namespace tarq::core
