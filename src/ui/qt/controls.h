#pragma once
// The Qt widget of each control kind, as the window controller drives it:
//
//   controller ──Show...──> the widget shows the model's state
//   the widget's signals ──> BoundControl (Clicked, Picked, Edited, ...)
//
// The same classes as ui/win32/controls.h, over Qt widgets.

#include <QWidget>
#include <memory>

#include "forms/window_controller.h"

namespace tarq::ui::qt {

// What every kind shares: its widget, the focus, enabled.
class Control : public forms::ControlView {
 public:
  explicit Control(QWidget* widget) : widget_(widget) {}
  QWidget* Widget() const { return widget_; }
  void Focus() override;
  bool HasFocus() const override;
  bool Enabled() const override { return widget_->isEnabled(); }

 protected:
  QWidget* widget_;
};

// The widget of a shown row, in `window`, reporting to `control`: a
// LabelControl, ButtonControl, ListControl, TextBoxControl or
// FolderListControl (controls.cpp).
std::unique_ptr<Control> MakeControl(QWidget& window, forms::BoundControl& control);

}  // namespace tarq::ui::qt
