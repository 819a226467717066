#pragma once

#include <functional>
#include <string>
#include <vector>

namespace tarq::forms {

// The classic folder list: the folders from the root down to the current
// one, then the current folder's subfolders. A single click only highlights
// an entry; opening one (double click) makes it the current folder.
class FolderList final {
 public:
  struct Entry {
    std::string name;   // what the list shows
    std::string path;   // the folder it stands for
    int depth = 0;      // indentation
    bool open = false;  // the current folder or one above it
  };

  const std::string& Path() const { return path_; }
  // Makes folder current and lists it, raising Change when the current
  // folder moved; false, changing nothing, when it cannot be listed.
  bool SetPath(const std::string& folder);

  const std::vector<Entry>& Entries() const { return entries_; }
  int ListIndex() const { return listIndex_; }  // the highlighted entry
  void SetListIndex(int index);
  bool Open(int index);

  std::function<void()> Change;    // the form's event procedure
  std::function<void()> Observer;  // the view

 private:
  std::string path_;
  std::vector<Entry> entries_;
  int listIndex_ = -1;
};

}  // namespace tarq::forms
