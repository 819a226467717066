#pragma once
// What the main window and the dialogs share: a top-level window of a
// layout's caption and fixed client size, black, owning an adapter per
// shown control, driven by a forms::WindowController that outlives it:
//
//   shown ──> Shown; the first time, active ──> Activated
//   each caption label that names a control ──> its buddy, which screen
//   readers read as the control's name
//   close box ──> CloseBox (ignored when the model refuses)
//   the controller ──> show, enable, activate, hide, post, message boxes
//   destroyed ──> the controller unbinds; the adapters go, then the widgets
//
// The same class as ui/win32/form_window.h, over a QWidget.

#include <QWidget>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "forms/window_controller.h"

namespace tarq::ui::qt {

class Control;

class FormWindow : public QWidget, public virtual forms::WindowView {
  Q_OBJECT

 public:
  ~FormWindow() override;

  void Attach(forms::WindowController& controller) override { controller_ = &controller; }
  forms::ControlView* MakeControl(forms::BoundControl& control) override;
  void SetTabOrder(const std::vector<forms::ControlView*>& order) override;
  // The caption becomes the control's buddy.
  void NameControl(forms::ControlView& control, forms::ControlView& caption) override;
  void NameControl(forms::ControlView& control, std::string_view name) override;
  void Show() override { show(); }
  void SetEnabled(bool enabled) override { setEnabled(enabled); }
  void Activate() override { activateWindow(); }
  void Hide() override { hide(); }
  void Destroy() override { close(); }
  void Post(std::function<void()> task) override;
  void MsgBox(std::string_view text) override;

 protected:
  // The window, empty, not shown yet.
  explicit FormWindow(const forms::WindowLayout& layout);

  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  forms::WindowController* controller_ = nullptr;
  std::vector<std::unique_ptr<Control>> controls_;
  bool shownOnce_ = false;
};

}  // namespace tarq::ui::qt
