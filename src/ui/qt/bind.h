#pragma once
// The bindings of one window's widgets to its form model's controls: each
// widget mirrors its control, and the user's actions on it are forwarded to
// the control. Released, they let go of the model, whose life may end
// before the widgets'.

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <functional>
#include <memory>
#include <vector>

#include "forms/controls.h"
#include "forms/folder_list.h"

namespace tarq::ui::qt {

class Bindings final {
 public:
  Bindings() = default;
  ~Bindings() { Release(); }
  Bindings(const Bindings&) = delete;
  Bindings& operator=(const Bindings&) = delete;

  // autoSize: the label sizes itself to its text, as caption labels do.
  void Label(forms::Label& model, QLabel* view, bool autoSize);
  void TextBox(forms::TextBox& model, QLineEdit* view);
  // Rows and selection mirror the model; a pick by the user sets the
  // model's ListIndex, which raises its Click. A list that shows a row
  // source lays its popup out in rows of one height, so 32768 rows drop
  // down at once. A font of the list's own is best set after binding: a
  // font change makes the popup's list.
  void Combo(forms::ComboList& model, QComboBox* view);
  // The folders from the root down, then the subfolders, indented; a
  // single click highlights, a double click or Enter opens.
  void Folders(forms::FolderList& model, QListWidget* view);
  void Click(QAbstractButton* view, std::function<void()> event);
  // The event runs when the widget receives the focus from the user (mouse,
  // Tab), not when its own popup closes or its window becomes active again.
  void Focus(QWidget* view, std::function<void()> event);

  // Unregisters every observer; no signal reaches the model afterwards.
  void Release();

 private:
  // Connects a widget's signal to a handler that runs while bound.
  template <typename Sender, typename Signal, typename Handler>
  void Forward(Sender* sender, Signal signal, Handler handler);

  std::shared_ptr<bool> bound_ = std::make_shared<bool>(true);
  std::vector<std::function<void()>> release_;
};

}  // namespace tarq::ui::qt
