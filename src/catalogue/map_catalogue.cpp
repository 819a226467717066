#include "catalogue/map_catalogue.h"

#include <algorithm>
#include <climits>

namespace tarq::catalogue {

int MapCatalogue::RowCount() const {
  return static_cast<int>(std::min<std::size_t>(names->size() + 1, INT_MAX));
}

std::string MapCatalogue::MapFileRow(int row) const {
  if (row == 0) return std::string(kFirstMapRow);
  return (*names)[static_cast<std::size_t>(row - 1)];
}

std::string MapCatalogue::DisplayRow(int row) const {
  if (row == 0) return std::string(kFirstMapCommentRow);
  return index.ComposeMapRow((*names)[static_cast<std::size_t>(row - 1)]);
}

}  // namespace tarq::catalogue
