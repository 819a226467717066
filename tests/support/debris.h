#pragma once
// What writes killed part-way leave beside a data file, and files that only
// look like it: for the tests that a save removes the one and keeps the other.

#include <string>
#include <string_view>
#include <vector>

namespace tarq::testing {

struct Debris {
  std::vector<std::string> leftovers;   // named as the file writer names its new files
  std::vector<std::string> lookalikes;  // near misses, one of them a folder
};

// Leaves both beside the file `fileName` in `folder`.
Debris LeaveDebris(const std::string& folder, std::string_view fileName);

// The names in a folder that held `files`, `mine` and `other` once the
// leftovers of `mine` are removed, sorted as SortedEntries gives them.
std::vector<std::string> WithoutLeftovers(std::vector<std::string> files, const Debris& mine,
                                          const Debris& other);

std::vector<std::string> SortedEntries(const std::string& folder);

}  // namespace tarq::testing
