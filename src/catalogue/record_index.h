#pragma once
// The display rows of the map list: each map file name padded with ASCII
// spaces to 16 characters, then the marks of its records (each followed by
// an ideographic space), then their comments, records in file order.
//
//   "c1a0.bsp" + 8 spaces + "◎" + U+3000 + "test"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/comment_record.h"

namespace tarq::catalogue {

inline constexpr std::string_view kFirstMapRow = "最初から";
inline constexpr std::string_view kFirstMapCommentRow =
    "最初から　　　　－　HALF-LIFEを最初から始めます";
inline constexpr std::size_t kNamePadding = 16;           // UTF-16 code units
inline constexpr std::string_view kMarkSeparator = "　";  // U+3000

// The row of one map, scanning every record: the definition.
std::string ComposeMapRow(std::string_view name, const std::vector<CommentRecord>& records);

// The records grouped by name, in file order within each name, so that the
// rows of N maps cost time linear in maps plus records. An open-addressing
// table over the names; the records of one name are chained in file order.
class RecordIndex final {
 public:
  // The views must outlive the index.
  explicit RecordIndex(std::vector<RecordView> records);
  explicit RecordIndex(const std::vector<CommentRecord>& records);

  std::string ComposeMapRow(std::string_view name) const;

 private:
  static constexpr std::uint32_t kNone = 0xFFFFFFFF;
  std::uint32_t Head(std::string_view name, std::size_t hash) const;

  std::vector<RecordView> records_;
  std::vector<std::uint32_t> slots_;  // first record of a name, kNone when empty
  std::vector<std::uint32_t> next_;   // the next record of the same name
  std::size_t mask_ = 0;
};

}  // namespace tarq::catalogue
