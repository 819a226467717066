#include "catalogue/map_rows.h"

#include "platform/text.h"

namespace tarq::catalogue {
namespace {

std::string PaddedName(std::string_view name, std::size_t extra) {
  const std::size_t length = platform::Utf16Length(name);
  const std::size_t spaces = length < kNamePadding ? kNamePadding - length : 0;
  std::string row;
  row.reserve(name.size() + spaces + extra);
  row.append(name);
  row.append(spaces, ' ');
  return row;
}

}  // namespace

std::string ComposeMapRow(std::string_view name, const std::vector<CommentRecord>& records) {
  std::string row = PaddedName(name, 0);
  for (const CommentRecord& r : records) {
    if (r.sMapFile == name) {
      row += r.sMark;
      row += kMarkSeparator;
    }
  }
  for (const CommentRecord& r : records) {
    if (r.sMapFile == name) row += r.sComment;
  }
  return row;
}

RecordIndex::RecordIndex(const std::vector<CommentRecord>& records) : records_(records) {
  byName_.reserve(records.size());
  for (std::size_t i = 0; i < records.size(); ++i) byName_[records[i].sMapFile].push_back(i);
}

std::string RecordIndex::ComposeMapRow(std::string_view name) const {
  const auto it = byName_.find(name);
  if (it == byName_.end()) return PaddedName(name, 0);
  std::size_t extra = 0;
  for (const std::size_t i : it->second) {
    extra += records_[i].sMark.size() + kMarkSeparator.size() + records_[i].sComment.size();
  }
  std::string row = PaddedName(name, extra);
  for (const std::size_t i : it->second) {
    row += records_[i].sMark;
    row += kMarkSeparator;
  }
  for (const std::size_t i : it->second) row += records_[i].sComment;
  return row;
}

}  // namespace tarq::catalogue
