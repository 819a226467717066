#pragma once
// The display row of a map in the map list: its file name padded with ASCII
// spaces to 16 characters, then the marks of its records (each followed by
// an ideographic space), then their comments, records in file order.
//
//   "c1a0.bsp" + 8 spaces + "◎" + U+3000 + "test"
//
// The records are indexed by name once, so that the rows of N maps cost
// time linear in maps plus records.

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
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
  struct Chain {
    std::uint32_t first;
    std::uint32_t last;
  };

  std::vector<RecordView> records_;
  std::unordered_map<std::string_view, Chain> chains_;
  std::vector<std::uint32_t> next_;  // the next record of the same name, kNone at the end
};

}  // namespace tarq::catalogue
