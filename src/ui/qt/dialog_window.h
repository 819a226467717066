#pragma once
// A dialog's window: a FormWindow over its form model (forms::DlgComment or
// forms::DlgFldSelect), driven by the controller that the main window's
// controller keeps for it. A tool window without a taskbar button, whose
// client area stands at a fixed place from the top-left corner of the main
// window's screen, and the main window's transient: the window manager keeps
// it in front of the main window. No parent widget, which would disable it
// with the main window. Screen readers announce it as a dialog. The same
// class as ui/win32/dialog_window.h.

#include "forms/dialog_form.h"
#include "ui/qt/form_window.h"

namespace tarq::ui::qt {

class DialogWindow final : public FormWindow {
  Q_OBJECT

 public:
  DialogWindow(forms::DialogForm& model, forms::WindowController& controller, FormWindow& owner);
};

}  // namespace tarq::ui::qt
