#pragma once
// The map list after a rebuild: the map files of the maps folder and the
// comment records, read once, and the rows the two map lists show.
//
//   maps folder --ListMapFiles-------> names --+
//                                              +--> MapCatalogue --> rows
//   tarqcom.dat --ReadAllComments----> index --+
//
//   row 0     "最初から"            "最初から　　　　－　HALF-LIFEを最初から始めます"
//   row n     the n-th file name    ComposeMapRow of that name
//
// Rows are made when asked for and not kept: a list that shows a few of 32768
// asks for those, one that copies them all into its control asks for each.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/comment_store.h"
#include "catalogue/record_index.h"

namespace tarq::catalogue {

inline constexpr std::string_view kFirstMapRow = "最初から";
inline constexpr std::string_view kFirstMapCommentRow =
    "最初から　　　　－　HALF-LIFEを最初から始めます";

struct MapCatalogue {
  std::shared_ptr<const std::vector<std::string>> names =
      std::make_shared<const std::vector<std::string>>();
  CommentSnapshot snapshot;  // what the index's views point into
  RecordIndex index;

  // Row 0 and one row per map.
  int RowCount() const;
  // The texts of row `row` of the file name list and of the shown list.
  std::string MapFileRow(int row) const;
  std::string DisplayRow(int row) const;
};

// The catalogue a rebuild of the map list shows: the map files of
// mapsFolder and the comment records of commentPath. A folder that cannot
// be listed gives no maps; a comment file that cannot be read gives no
// comments (the comment dialog reports the broken file when it opens).
std::shared_ptr<const MapCatalogue> LoadMapCatalogue(const std::string& mapsFolder,
                                                     const std::string& commentPath);

}  // namespace tarq::catalogue
