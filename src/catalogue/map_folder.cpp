#include "catalogue/map_folder.h"

#include "platform/fs.h"

namespace tarq::catalogue {
namespace {

char Upper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace

bool IsMapFileName(std::string_view name) {
  if (name.size() < 4) return false;
  const std::string_view ext = name.substr(name.size() - 4);
  return ext[0] == '.' && Upper(ext[1]) == 'B' && Upper(ext[2]) == 'S' && Upper(ext[3]) == 'P';
}

std::optional<std::vector<std::string>> ListMapFiles(const std::string& folder) {
  auto names = platform::ListPlainFiles(folder, IsMapFileName);
  if (!names) return std::nullopt;
  platform::SortNamesIgnoringCase(*names);
  return names;
}

}  // namespace tarq::catalogue
