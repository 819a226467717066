#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace tarq::forms {

// The hidden file list of the main window: the names of the files of one
// folder that match one name pattern, as they were last listed, in their
// order. Never shown; the form model alone carries it.
class FileList final {
 public:
  const std::string& Path() const { return path_; }
  const std::string& Pattern() const { return pattern_; }
  // Shared with the lists that show them.
  const std::shared_ptr<const std::vector<std::string>>& Names() const { return names_; }

  // What listing `path` for `pattern` gave.
  void SetListing(std::string path, std::string pattern,
                  std::shared_ptr<const std::vector<std::string>> names) {
    path_ = std::move(path);
    pattern_ = std::move(pattern);
    names_ = std::move(names);
  }

 private:
  std::string path_;
  std::string pattern_;
  std::shared_ptr<const std::vector<std::string>> names_ =
      std::make_shared<const std::vector<std::string>>();
};

}  // namespace tarq::forms
