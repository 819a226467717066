#pragma once
// The rows of the two map lists after a rebuild, made when first asked for:
//   cmbMap:         "最初から", then the map file names
//   cmbMapComment:  row 0 text, then ComposeMapRow of each name
// Both read the same names, records and index, which live as long as a list
// shows them.

#include <memory>
#include <string>
#include <vector>

#include "catalogue/comment_store.h"
#include "catalogue/map_rows.h"
#include "forms/controls.h"

namespace tarq::forms {

struct MapCatalogue {
  std::shared_ptr<const std::vector<std::string>> names;
  catalogue::CommentSnapshot snapshot;  // what the index's views point into
  catalogue::RecordIndex index{std::vector<catalogue::RecordView>{}};
};

class MapNameRows final : public RowSource {
 public:
  explicit MapNameRows(std::shared_ptr<const MapCatalogue> c) : c_(std::move(c)) {}
  int Count() const override;
  std::string Text(int row) const override;

 private:
  std::shared_ptr<const MapCatalogue> c_;
};

class MapCommentRows final : public RowSource {
 public:
  explicit MapCommentRows(std::shared_ptr<const MapCatalogue> c) : c_(std::move(c)) {}
  int Count() const override;
  std::string Text(int row) const override;

 private:
  std::shared_ptr<const MapCatalogue> c_;
};

}  // namespace tarq::forms
