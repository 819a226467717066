#pragma once
// The rows of the two map lists, cmbMap and cmbMapComment, from one map
// catalogue that lives as long as a list shows it.

#include <memory>
#include <string>

#include "catalogue/map_catalogue.h"
#include "forms/controls.h"

namespace tarq::forms {

class MapListSource final : public RowSource {
 public:
  enum class Column { kMapFiles, kDisplayRows };
  MapListSource(std::shared_ptr<const catalogue::MapCatalogue> catalogue, Column column)
      : catalogue_(std::move(catalogue)), column_(column) {}
  int Count() const override { return catalogue_->RowCount(); }
  std::string Text(int row) const override;

 private:
  std::shared_ptr<const catalogue::MapCatalogue> catalogue_;
  Column column_;
};

}  // namespace tarq::forms
