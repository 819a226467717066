#include "forms/map_list_rows.h"

#include <algorithm>

namespace tarq::forms {
namespace {

// Row 0 and the maps a 16-bit ListIndex can reach.
int RowCount(const MapCatalogue& c) {
  return static_cast<int>(
      std::min(c.names->size() + 1, static_cast<std::size_t>(ComboList::kMaxRows)));
}

}  // namespace

int MapNameRows::Count() const {
  return RowCount(*c_);
}

std::string MapNameRows::Text(int row) const {
  if (row == 0) return std::string(catalogue::kFirstMapRow);
  return (*c_->names)[static_cast<std::size_t>(row - 1)];
}

int MapCommentRows::Count() const {
  return RowCount(*c_);
}

std::string MapCommentRows::Text(int row) const {
  if (row == 0) return std::string(catalogue::kFirstMapCommentRow);
  return c_->index.ComposeMapRow((*c_->names)[static_cast<std::size_t>(row - 1)]);
}

}  // namespace tarq::forms
