#pragma once
// tarqcfg.dat: four lines, CR LF, code page 932.
//   1  the game folder, unquoted (empty when none was chosen)
//   2  ListIndex of the difficulty list, in print form (" 2 ", "-1 ")
//   3  ListIndex of the heap size list, likewise
//   4  ListIndex of the console list, likewise
// Reading also accepts lines ended by LF or CR alone.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarq::core {

inline constexpr std::string_view kSettingsFileName = "tarqcfg.dat";

// The lines of the settings file as bytes, without their line ends. nullopt
// when the file cannot be opened or read.
std::optional<std::vector<std::string>> ReadSettingsLines(const std::string& path);

// The lines of the file's bytes, as ReadSettingsLines splits them.
std::vector<std::string> SettingsLines(std::string_view bytes);

// A settings line as text; nullopt when its bytes are not code page 932.
std::optional<std::string> DecodeSettingsLine(std::string_view bytes);

// What start-up restores from the file, in the order it applies it: the game
// folder, then the ListIndex of the difficulty, heap size and console lists.
// Reading stops where the file stops making sense, keeping what came before:
// at a line that is missing or not code page 932, a number that does not fit
// 16 bits, or a row its list does not have (-1, no row, is one it has).
struct SettingsRead {
  std::optional<std::string> gameFolder;  // nullopt: nothing could be read
  std::vector<std::int16_t> listIndexes;  // difficulty, heap size, console: those read
};
SettingsRead ReadSettingsFile(const std::string& path);

// The numeric value of a line as the settings file has always been read:
// spaces and tabs are ignored wherever they stand; reading stops at the first
// character that cannot continue a number (a sign first, digits, one decimal
// point, an exponent); no number gives 0. The value is rounded to an integer,
// halves to the even neighbour. nullopt when it does not fit 16 bits.
std::optional<std::int16_t> SettingsNumber(std::string_view text);

// " 2 " for 2, "-1 " for -1.
std::string PrintForm(std::int32_t value);

struct SettingsValues {
  std::string gameFolder;
  std::int16_t difficulty = 0;
  std::int16_t heapSize = 0;
  std::int16_t console = 0;
};

// Whether the file can carry this game folder as its first line: code page
// 932 text without a line break.
bool CanStoreGameFolder(std::string_view folder);

// The file's bytes; nullopt when CanStoreGameFolder is false.
std::optional<std::string> SettingsFileBytes(const SettingsValues& values);

// Replaces the file atomically; false leaves the previous file untouched.
// Takes the folder's lock, as the comment store's saves do, and removes what
// writes killed part-way left beside the file.
bool WriteSettingsFile(const std::string& path, const SettingsValues& values);

}  // namespace tarq::core
