#include "forms/controls.h"

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

std::string ComboList::Text() const { return listIndex_ >= 0 ? List(listIndex_) : std::string(); }

void ComboList::AddItem(std::string text, std::int32_t itemData) {
  if (ListCount() >= kMaxRows) return;
  if (Observer.rowsAboutToChange) Observer.rowsAboutToChange();
  rows_.push_back({std::move(text), itemData});
  if (Observer.rowsChanged) Observer.rowsChanged();
}

void ComboList::SetList(int row, std::string text) {
  if (row == ListCount()) {
    AddItem(std::move(text));
    return;
  }
  if (Observer.rowsAboutToChange) Observer.rowsAboutToChange();
  rows_.at(static_cast<std::size_t>(row)).text = std::move(text);
  if (Observer.rowsChanged) Observer.rowsChanged();
}

void ComboList::ReplaceRows(std::vector<ListRow> rows) {
  if (rows.size() > static_cast<std::size_t>(kMaxRows)) rows.resize(kMaxRows);
  if (Observer.rowsAboutToChange) Observer.rowsAboutToChange();
  rows_ = std::move(rows);
  if (listIndex_ >= ListCount()) listIndex_ = -1;
  if (Observer.rowsChanged) Observer.rowsChanged();
  if (Observer.listIndexChanged) Observer.listIndexChanged();
}

}  // namespace tarq::forms
