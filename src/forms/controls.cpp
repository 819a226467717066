#include "forms/controls.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace tarq::forms {

void Label::SetCaption(std::string caption) {
  if (caption == caption_) return;
  caption_ = std::move(caption);
  if (Observer) Observer();
  if (Change) Change();
}

void TextBox::SetText(std::string text) {
  if (text == text_) return;
  text_ = std::move(text);
  if (Observer) Observer();
}

bool ComboList::SetListIndex(int index) {
  if (index < -1 || index >= ListCount()) return false;
  listIndex_ = static_cast<std::int16_t>(index);
  if (Observer.listIndexChanged) Observer.listIndexChanged();
  if (Click) Click();
  return true;
}

std::string ComboList::Text() const {
  return listIndex_ >= 0 ? List(listIndex_) : std::string();
}

int ComboList::ListCount() const {
  return source_ ? std::min(source_->Count(), kMaxRows) : static_cast<int>(rows_.size());
}

const std::string& ComboList::List(int row) const {
  if (!source_) return rows_.at(static_cast<std::size_t>(row)).text;
  if (row < 0 || row >= ListCount()) throw std::out_of_range("ComboList::List");
  auto it = made_.find(row);
  if (it == made_.end()) it = made_.emplace(row, source_->Text(row)).first;
  return it->second;
}

std::string ComboList::RowText(int row) const {
  if (!source_) return List(row);
  if (row < 0 || row >= ListCount()) throw std::out_of_range("ComboList::RowText");
  return source_->Text(row);
}

std::int32_t ComboList::ItemData(int row) const {
  if (!source_) return rows_.at(static_cast<std::size_t>(row)).itemData;
  if (row < 0 || row >= ListCount()) throw std::out_of_range("ComboList::ItemData");
  return 0;
}

void ComboList::AddItem(std::string text, std::int32_t itemData) {
  if (ListCount() >= kMaxRows) return;
  if (Observer.rowsAboutToChange) Observer.rowsAboutToChange();
  rows_.push_back({std::move(text), itemData});
  if (Observer.rowsChanged) Observer.rowsChanged();
}

void ComboList::ReplaceRows(std::shared_ptr<const RowSource> rows) {
  if (Observer.rowsAboutToChange) Observer.rowsAboutToChange();
  rows_.clear();
  made_.clear();
  source_ = std::move(rows);
  if (listIndex_ >= ListCount()) listIndex_ = -1;
  if (Observer.rowsChanged) Observer.rowsChanged();
  if (Observer.listIndexChanged) Observer.listIndexChanged();
}

}  // namespace tarq::forms
