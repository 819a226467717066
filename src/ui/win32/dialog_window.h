#pragma once
// A dialog's window: a humble view of its form model (forms::DlgComment or
// forms::DlgFldSelect), built from the dialog's layout table. A tool window
// without an owner, so without a taskbar button, whose client area stands
// at a fixed place on the screen.
//
//   shown --> cmdOK has the focus; first activation --> the model's Form_Activate
//   close box --> the model's Unload (which enables the main window)
//   model unloaded --> Detach: the window lets go of the model and goes away

#include <functional>

#include "forms/dialog_form.h"
#include "ui/win32/form_window.h"

namespace tarq::ui::win32 {

class DialogWindow final : public FormWindow {
 public:
  // activate: what the model does when the dialog first becomes the active
  // window (the comment dialog's fill), or nothing.
  DialogWindow(const forms::WindowLayout& layout, forms::DialogForm& model,
               const FormControls::Lookup& lookup, std::function<void()> activate = nullptr);
  ~DialogWindow() override;

  void Show();
  // Lets go of the model and destroys the window.
  void Detach();

 protected:
  void Place(int dpi, const RECT* suggested) override;
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  forms::DialogForm& model_;
  std::function<void()> activate_;
  bool detached_ = false;
  bool activated_ = false;
};

}  // namespace tarq::ui::win32
