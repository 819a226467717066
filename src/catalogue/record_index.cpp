#include "catalogue/record_index.h"

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

RecordIndex::RecordIndex(std::vector<RecordView> records)
    : records_(std::move(records)), next_(records_.size(), kNone) {
  chains_.reserve(records_.size());
  for (std::uint32_t i = 0; i < records_.size(); ++i) {
    const auto [it, added] = chains_.try_emplace(records_[i].sMapFile, Chain{i, i});
    if (!added) {
      next_[it->second.last] = i;
      it->second.last = i;
    }
  }
}

std::string RecordIndex::ComposeMapRow(std::string_view name) const {
  const auto chain = chains_.find(name);
  if (chain == chains_.end()) return PaddedName(name, 0);
  const std::uint32_t head = chain->second.first;
  std::size_t extra = 0;
  for (std::uint32_t i = head; i != kNone; i = next_[i]) {
    extra += records_[i].sMark.size() + kMarkSeparator.size() + records_[i].sComment.size();
  }
  std::string row = PaddedName(name, extra);
  for (std::uint32_t i = head; i != kNone; i = next_[i]) {
    row += records_[i].sMark;
    row += kMarkSeparator;
  }
  for (std::uint32_t i = head; i != kNone; i = next_[i]) row += records_[i].sComment;
  return row;
}

}  // namespace tarq::catalogue
