#pragma once
// Toolkit-independent controls. They hold the state the windows show and
// raise their events synchronously, nested inside the assignment that caused
// them, as the launcher's procedures rely on:
//  - setting a new caption on a Label runs its Change event before the
//    assignment returns;
//  - every ListIndex assignment on a ComboList runs its Click event, exactly
//    as a pick by the user does.
// The window controller registers an observer to mirror the control in a
// view, which holds no rules.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace tarq::forms {

class Label final {
 public:
  const std::string& Caption() const { return caption_; }
  // Raises Change when the caption differs from the current one.
  void SetCaption(std::string caption);

  std::function<void()> Change;    // the form's event procedure
  std::function<void()> Observer;  // the view

 private:
  std::string caption_;
};

class TextBox final {
 public:
  const std::string& Text() const { return text_; }
  void SetText(std::string text);

  std::function<void()> Observer;  // the view

 private:
  std::string text_;
};

struct ListRow {
  std::string text;
  std::int32_t itemData = 0;
};

// Rows whose texts are made when asked for, so that a list of any length is
// replaced in constant time. A view that shows some rows at a time (Qt's
// drop-down) asks for those; one that copies every row into its control
// (Win32's, whose rows screen readers read) asks for each once. Every row's
// tag is 0.
class RowSource {
 public:
  virtual ~RowSource() = default;
  virtual int Count() const = 0;
  virtual std::string Text(int row) const = 0;
};

class ComboList final {
 public:
  // The most rows a signed 16-bit ListIndex can reach.
  static constexpr int kMaxRows = 32768;

  int ListCount() const;
  const std::string& List(int row) const;
  // The same text, made afresh and not kept: for a view that copies every
  // row into a control of its own, which would otherwise hold them twice.
  std::string RowText(int row) const;
  std::int32_t ItemData(int row) const;

  std::int16_t ListIndex() const { return listIndex_; }
  // True when the rows come from a row source (the map lists).
  bool ShowsRowSource() const { return source_ != nullptr; }
  // Accepts -1 to ListCount() - 1; raises Click every time. False (and no
  // change, no event) for a row that does not exist.
  bool SetListIndex(int index);

  // The selected row's text, empty when nothing is selected.
  std::string Text() const;

  // Adds a row to a list that holds its own rows: the fixed lists, filled
  // when their form is created.
  void AddItem(std::string text, std::int32_t itemData = 0);
  // All rows at once from a row source (at most kMaxRows are shown): how
  // the map lists are refilled. The selection is kept when its row still
  // exists and becomes -1 otherwise, without a Click.
  void ReplaceRows(std::shared_ptr<const RowSource> rows);

  std::function<void()> Click;

  struct ViewObserver {
    std::function<void()> rowsAboutToChange;
    std::function<void()> rowsChanged;
    std::function<void()> listIndexChanged;
  };
  ViewObserver Observer;

 private:
  std::vector<ListRow> rows_;
  std::shared_ptr<const RowSource> source_;
  mutable std::unordered_map<int, std::string> made_;  // source rows made so far
  std::int16_t listIndex_ = -1;
};

}  // namespace tarq::forms
