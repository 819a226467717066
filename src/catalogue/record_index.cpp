#include "catalogue/record_index.h"

#include <functional>

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
  // At most half full, so that a probe ends soon.
  std::size_t size = 16;
  while (size < 2 * records_.size()) size *= 2;
  slots_.assign(size, kNone);
  std::vector<std::uint32_t> last(records_.size(), kNone);  // of each first record's chain
  for (std::uint32_t i = 0; i < records_.size(); ++i) {
    std::uint32_t& first = slots_[SlotOf(records_[i].sMapFile)];
    if (first == kNone) {
      first = last[i] = i;
    } else {
      next_[last[first]] = i;
      last[first] = i;
    }
  }
}

std::size_t RecordIndex::SlotOf(std::string_view name) const {
  const std::size_t mask = slots_.size() - 1;
  const std::size_t hash = std::hash<std::string_view>{}(name);
  std::size_t slot = hash & mask;
  while (slots_[slot] != kNone && records_[slots_[slot]].sMapFile != name) slot = (slot + 1) & mask;
  return slot;
}

std::string RecordIndex::ComposeMapRow(std::string_view name) const {
  const std::uint32_t head = slots_[SlotOf(name)];
  if (head == kNone) return PaddedName(name, 0);
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
