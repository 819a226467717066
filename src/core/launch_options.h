#pragma once
// The three fixed option lists of the main window, row by row.

#include <array>
#include <cstdint>
#include <string_view>

namespace tarq::core {

struct OptionRow {
  std::string_view text;
  std::int32_t itemData;
};

inline constexpr std::string_view kNotSpecified = "無指定";

// "Nomal" is the row's text as users know it; it stays.
inline constexpr std::array<OptionRow, 4> kDifficultyRows{
    {{kNotSpecified, 0}, {"Easy", 1}, {"Nomal", 2}, {"Hard", 3}}};

// The heap sizes are passed as the tags: 16000, not 16384.
inline constexpr std::array<OptionRow, 5> kHeapSizeRows{
    {{kNotSpecified, 0}, {"16MB", 16000}, {"32MB", 32000}, {"64MB", 64000}, {"128MB", 128000}}};

// The console option is passed as its row text.
inline constexpr std::array<OptionRow, 3> kConsoleRows{
    {{kNotSpecified, 0}, {"-console", 0}, {"-dev toconsole", 0}}};

}  // namespace tarq::core
