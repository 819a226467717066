#include "forms/file_list.h"

#include "catalogue/map_folder.h"

namespace tarq::forms {

void FileList::Refresh() {
  auto names = catalogue::ListMapFiles(Path);
  names_ = std::make_shared<const std::vector<std::string>>(names ? std::move(*names)
                                                                  : std::vector<std::string>());
}

}  // namespace tarq::forms
