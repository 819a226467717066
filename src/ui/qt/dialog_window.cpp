#include "ui/qt/dialog_window.h"

#include <QWindow>

namespace tarq::ui::qt {

DialogWindow::DialogWindow(forms::DialogForm& model, forms::WindowController& controller,
                           forms::WindowView& owner)
    : FormWindow(model.Layout()) {
  // The owner is the main window, a FormWindow of this front end.
  if (QWindow* main = static_cast<FormWindow&>(owner).windowHandle()) {
    winId();  // makes the window to set the transient on
    windowHandle()->setTransientParent(main);
  }
  Attach(controller);
  controller.Bind(model, *this);
}

}  // namespace tarq::ui::qt
