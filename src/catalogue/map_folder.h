#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarq::catalogue {

// The name pattern of the map files, and the test it stands for: names that
// end in ".bsp" in any letter case.
inline constexpr std::string_view kMapFilePattern = "*.bsp";
bool IsMapFileName(std::string_view name);

// Orders file and folder names (the maps, the folder list) without regard
// to letter case (ASCII letters compared as upper case); names equal but for
// case keep a fixed order by code point.
bool NameLessIgnoringCase(std::string_view a, std::string_view b);

// The map files of a folder: plain, visible files whose names end in ".bsp",
// sorted by NameLessIgnoringCase. nullopt when the folder cannot be listed.
std::optional<std::vector<std::string>> ListMapFiles(const std::string& folder);

}  // namespace tarq::catalogue
