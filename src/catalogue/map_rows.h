#pragma once
// The display rows of the map list: each map file name padded with ASCII
// spaces to 16 characters, then the marks of its records (each followed by
// an ideographic space), then their comments, records in file order.
//
//   "c1a0.bsp" + 8 spaces + "◎" + U+3000 + "test"

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "catalogue/comment_record.h"

namespace tarq::catalogue {

inline constexpr std::string_view kFirstMapRow = "最初から";
inline constexpr std::string_view kFirstMapCommentRow =
    "最初から　　　　－　HALF-LIFEを最初から始めます";
inline constexpr std::size_t kNamePadding = 16;  // UTF-16 code units
inline constexpr std::string_view kMarkSeparator = "　";  // U+3000

// The row of one map, scanning every record: the definition.
std::string ComposeMapRow(std::string_view name, const std::vector<CommentRecord>& records);

// The records grouped by name, in file order within each name, so that the
// rows of N maps cost time linear in maps plus records.
class RecordIndex final {
 public:
  explicit RecordIndex(const std::vector<CommentRecord>& records);
  std::string ComposeMapRow(std::string_view name) const;

 private:
  const std::vector<CommentRecord>& records_;
  std::unordered_map<std::string_view, std::vector<std::size_t>> byName_;
};

}  // namespace tarq::catalogue
