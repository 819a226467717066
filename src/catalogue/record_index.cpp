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

std::size_t Hash(std::string_view name) {
  return std::hash<std::string_view>{}(name);
}

}  // namespace

RecordIndex::RecordIndex(std::vector<RecordView> records) : records_(std::move(records)) {
  std::size_t capacity = 16;
  while (capacity < records_.size() * 2) capacity *= 2;
  slots_.assign(capacity, kNone);
  mask_ = capacity - 1;
  next_.assign(records_.size(), kNone);
  std::vector<std::uint32_t> tail(capacity, kNone);  // last record of each slot's chain
  for (std::uint32_t i = 0; i < records_.size(); ++i) {
    const std::string_view name = records_[i].sMapFile;
    std::size_t slot = Hash(name) & mask_;
    while (slots_[slot] != kNone && records_[slots_[slot]].sMapFile != name) {
      slot = (slot + 1) & mask_;
    }
    if (slots_[slot] == kNone) {
      slots_[slot] = i;
    } else {
      next_[tail[slot]] = i;
    }
    tail[slot] = i;
  }
}

std::uint32_t RecordIndex::Head(std::string_view name, std::size_t hash) const {
  std::size_t slot = hash & mask_;
  while (slots_[slot] != kNone) {
    if (records_[slots_[slot]].sMapFile == name) return slots_[slot];
    slot = (slot + 1) & mask_;
  }
  return kNone;
}

std::string RecordIndex::ComposeMapRow(std::string_view name) const {
  const std::uint32_t head = Head(name, Hash(name));
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
