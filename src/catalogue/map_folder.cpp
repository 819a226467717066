#include "catalogue/map_folder.h"

#include "platform/fs.h"
#include "platform/text.h"

namespace tarq::catalogue {

bool IsMapFileName(std::string_view name) {
  if (name.size() < 4) return false;
  const std::string_view ext = name.substr(name.size() - 4);
  return ext[0] == '.' && platform::AsciiUpper(ext[1]) == 'B' &&
         platform::AsciiUpper(ext[2]) == 'S' && platform::AsciiUpper(ext[3]) == 'P';
}

std::optional<std::vector<std::string>> ListMapFiles(const std::string& folder) {
  auto names = platform::ListPlainFiles(folder, IsMapFileName);
  if (!names) return std::nullopt;
  platform::SortNamesIgnoringCase(*names);
  return names;
}

}  // namespace tarq::catalogue
