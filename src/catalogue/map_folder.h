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

// The map files of a folder: plain, visible files whose names end in ".bsp",
// sorted by platform::SortNamesIgnoringCase. nullopt when the folder cannot
// be listed.
std::optional<std::vector<std::string>> ListMapFiles(const std::string& folder);

}  // namespace tarq::catalogue
