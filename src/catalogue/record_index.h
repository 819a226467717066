#pragma once
// The display row of a map in the map list: its file name padded with ASCII
// spaces to 16 characters, then the marks of its records (each followed by
// an ideographic space), then their comments, records in file order.
//
//   "c1a0.bsp" + 8 spaces + "◎" + U+3000 + "test"
//
// The records are indexed by name once, so that the rows of N maps cost
// time linear in maps plus records.
//
// The index is a table of its own (open addressing, record numbers only)
// rather than a std::unordered_map: what it buys is memory. 32767 records
// take about 0.4 MiB instead of a node each, some 2 MiB, and a rebuild holds
// two indexes at once (make bench, rows 6 and W3).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/comment_record.h"

namespace tarq::catalogue {

inline constexpr std::size_t kNamePadding = 16;           // UTF-16 code units
inline constexpr std::string_view kMarkSeparator = "　";  // U+3000

// The records of one name are chained in file order.
class RecordIndex final {
 public:
  // The views must outlive the index.
  explicit RecordIndex(std::vector<RecordView> records = {});
  // The row of the map file `name`.
  std::string ComposeMapRow(std::string_view name) const;

 private:
  static constexpr std::uint32_t kNone = 0xFFFFFFFF;

  // The slot of `name`: the one holding its first record, or the empty one
  // where it would go.
  std::size_t SlotOf(std::string_view name) const;

  std::vector<RecordView> records_;
  std::vector<std::uint32_t> slots_;  // first record of each name, kNone when empty
  std::vector<std::uint32_t> next_;   // the next record of the same name, kNone at the end
};

}  // namespace tarq::catalogue
