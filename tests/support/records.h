#pragma once
// Comment records for tests, and the map row by its definition: every
// record scanned for every map, the reference the launcher's indexed rows
// are checked against (and the naive way the benchmark compares with).

#include <string>
#include <string_view>
#include <vector>

#include "catalogue/comment_record.h"
#include "catalogue/comment_store.h"
#include "catalogue/record_index.h"
#include "platform/text.h"

namespace tarq::testing {

inline std::vector<catalogue::CommentRecord> Records(const catalogue::CommentSnapshot& snapshot) {
  std::vector<catalogue::CommentRecord> records;
  for (const catalogue::RecordView& r : snapshot.records) {
    records.push_back({std::string(r.sMapFile), std::string(r.sMark), std::string(r.sComment)});
  }
  return records;
}

inline std::vector<catalogue::RecordView> Views(
    const std::vector<catalogue::CommentRecord>& records) {
  std::vector<catalogue::RecordView> views;
  for (const catalogue::CommentRecord& r : records)
    views.push_back({r.sMapFile, r.sMark, r.sComment});
  return views;
}

// The name padded to 16 characters, the marks of its records, then their
// comments, scanning every record.
inline std::string ReferenceMapRow(std::string_view name,
                                   const std::vector<catalogue::RecordView>& records) {
  std::string row(name);
  const std::size_t length = platform::Utf16Length(name);
  if (length < catalogue::kNamePadding) row.append(catalogue::kNamePadding - length, ' ');
  for (const catalogue::RecordView& r : records) {
    if (r.sMapFile == name) {
      row += r.sMark;
      row += catalogue::kMarkSeparator;
    }
  }
  for (const catalogue::RecordView& r : records) {
    if (r.sMapFile == name) row += r.sComment;
  }
  return row;
}

}  // namespace tarq::testing
