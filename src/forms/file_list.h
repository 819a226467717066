#pragma once

#include <memory>
#include <string>
#include <vector>

namespace tarq::forms {

// The hidden file list of the main window: the map files of one folder.
class FileList final {
 public:
  std::string Path;

  // Lists the map files (*.bsp) of Path again; a folder that cannot be
  // listed gives no names.
  void Refresh();
  // The names in their order, shared with the lists that show them.
  std::shared_ptr<const std::vector<std::string>> Names() const { return names_; }

 private:
  std::shared_ptr<const std::vector<std::string>> names_ =
      std::make_shared<const std::vector<std::string>>();
};

}  // namespace tarq::forms
