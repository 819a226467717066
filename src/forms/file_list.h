#pragma once

#include <memory>
#include <string>
#include <vector>

namespace tarq::forms {

// The hidden file list of the main window: the map files of one folder.
class FileList final {
 public:
  std::string Path;
  std::string Pattern;

  // Lists Path again; a folder that cannot be listed gives no names.
  void Refresh();
  const std::vector<std::string>& Names() const { return *names_; }
  std::shared_ptr<const std::vector<std::string>> SharedNames() const { return names_; }
  int ListCount() const { return static_cast<int>(names_->size()); }

 private:
  std::shared_ptr<const std::vector<std::string>> names_ =
      std::make_shared<const std::vector<std::string>>();
};

}  // namespace tarq::forms
