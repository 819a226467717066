#include "support/debris.h"

#include <algorithm>

#include "platform/fs.h"
#include "support/temp_dir.h"

namespace tarq::testing {

Debris LeaveDebris(const std::string& folder, std::string_view fileName) {
  const std::string name(fileName);
  const std::string shorter = name.substr(0, name.size() - 1);
#ifdef _WIN32
  Debris debris{
      {name + ".004711.tmp", name + ".000000.tmp", name + ".999999.tmp"},
      {name + ".04711.tmp", name + ".0047110.tmp", name + ".00471a.tmp", name + ".004711.tm",
       name + ".004711.tmp.bak", name + ".004711", name + "_004711.tmp", shorter + ".004711.tmp",
       name + "x.004711.tmp", name + ".a8Zk3Q"}};
  const std::string folderLookalike = name + ".123456.tmp";
#else
  Debris debris{
      {name + ".a8Zk3Q", name + ".000000", name + ".ZZZZZZ", name + ".q1w2e3"},
      {name + ".a8Zk3", name + ".a8Zk3Q7", name + ".a8Zk-Q", name + ".a8Zk3Q.tmp", name + ".backup",
       name + "_a8Zk3Q", shorter + ".a8Zk3Q", name + "x.a8Zk3Q", name + ".004711.tmp"}};
  const std::string folderLookalike = name + ".F0ldr1";
#endif
  for (const std::string& file : debris.leftovers)
    WriteBytes(platform::JoinPath(folder, file), "left");
  for (const std::string& file : debris.lookalikes)
    WriteBytes(platform::JoinPath(folder, file), "keep");
  MakeFolders(platform::JoinPath(folder, folderLookalike));
  debris.lookalikes.push_back(folderLookalike);
  return debris;
}

std::vector<std::string> WithoutLeftovers(std::vector<std::string> files, const Debris& mine,
                                          const Debris& other) {
  for (const auto* names : {&mine.lookalikes, &other.leftovers, &other.lookalikes}) {
    files.insert(files.end(), names->begin(), names->end());
  }
  std::sort(files.begin(), files.end());
  return files;
}

std::vector<std::string> SortedEntries(const std::string& folder) {
  std::vector<std::string> names = FolderEntries(folder);
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace tarq::testing
