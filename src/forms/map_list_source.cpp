#include "forms/map_list_source.h"

namespace tarq::forms {

std::string MapListSource::Text(int row) const {
  return column_ == Column::kMapFiles ? catalogue_->MapFileRow(row) : catalogue_->DisplayRow(row);
}

}  // namespace tarq::forms
