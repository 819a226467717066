#pragma once
// A dialog's window: a FormWindow over its form model (forms::DlgComment or
// forms::DlgFldSelect), driven by the controller that the main window's
// controller keeps for it. A tool window owned by
// the main window: no taskbar button, always in front of the main window,
// and found again with it (taskbar, Alt+Tab). It is made on the main
// window's monitor, at that monitor's DPI, its client area at a fixed place
// from the monitor's top-left corner, within its work area; after a DPI
// change where the system puts it. Screen readers announce it as a dialog.
// The same class as ui/qt/dialog_window.h.

#include "forms/dialog_form.h"
#include "ui/win32/form_window.h"

namespace tarq::ui::win32 {

class DialogWindow final : public FormWindow {
 public:
  DialogWindow(forms::DialogForm& model, forms::WindowController& controller,
               const FormWindow& owner);

 protected:
  void Place(int dpi, const RECT* suggested) override;
};

}  // namespace tarq::ui::win32
