#include "forms/folder_list.h"

#include "platform/drives.h"
#include "platform/fs.h"

namespace tarq::forms {

bool FolderList::SetPath(const std::string& folder) {
  auto subfolders = platform::ListSubfolders(folder);
  if (!subfolders) return false;
  platform::SortNamesIgnoringCase(*subfolders);
  std::vector<Entry> entries;
  const std::vector<std::string> chain = platform::FolderChain(folder);
  for (std::size_t i = 0; i < chain.size(); ++i) {
    const std::string& p = chain[i];
    // Below the root no folder of the chain ends in a separator.
    std::string name = i == 0 ? p : std::string(platform::FileNameOf(p));
    entries.push_back({std::move(name), p, static_cast<int>(i), true});
  }
  const int depth = static_cast<int>(chain.size());
  for (const std::string& sub : *subfolders) {
    entries.push_back({sub, platform::ChildFolder(chain.back(), sub), depth, false});
  }
  const bool moved = path_ != chain.back();
  path_ = chain.back();
  entries_ = std::move(entries);
  listIndex_ = depth - 1;
  if (Observer) Observer();
  if (moved && Change) Change();
  return true;
}

void FolderList::SetListIndex(int index) {
  if (index < -1 || index >= static_cast<int>(entries_.size())) return;
  listIndex_ = index;
  if (Observer) Observer();
}

bool FolderList::Open(int index) {
  if (index < 0 || index >= static_cast<int>(entries_.size())) return false;
  return SetPath(entries_[static_cast<std::size_t>(index)].path);
}

}  // namespace tarq::forms
