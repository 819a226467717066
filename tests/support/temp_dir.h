#pragma once
// Test helpers: a private folder removed at the end of the test, and file
// access in bytes.

#include <string>
#include <string_view>
#include <vector>

namespace tarq::testing {

class TempDir final {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& Path() const { return path_; }
  // path + separator + relative
  std::string operator/(std::string_view relative) const;

 private:
  std::string path_;
};

void WriteBytes(const std::string& path, std::string_view bytes);
std::string ReadBytes(const std::string& path);  // empty when missing or unreadable
bool Exists(const std::string& path);
void MakeFolders(const std::string& path);
void MakeExecutable(const std::string& path, std::string_view content);
// The names in a folder; on Windows without the data folder's lock file.
std::vector<std::string> FolderEntries(const std::string& path);

// Makes a file hidden: on Windows by its attribute; elsewhere names that
// start with a dot are hidden already.
void Hide(const std::string& path);

// Polls until ReadBytes gives the file non-empty or about ten seconds pass.
// Writers put the file in place whole (written under another name, then
// renamed), so it is complete once it can be read.
bool WaitForFile(const std::string& path);

}  // namespace tarq::testing
