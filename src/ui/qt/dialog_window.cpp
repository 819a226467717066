#include "ui/qt/dialog_window.h"

#include <QWindow>

namespace tarq::ui::qt {

DialogWindow::DialogWindow(forms::DialogForm& model, forms::WindowController& controller,
                           FormWindow& owner)
    : FormWindow(model.Layout()) {
  if (QWindow* main = owner.windowHandle()) {
    winId();  // makes the window to set the transient on
    windowHandle()->setTransientParent(main);
  }
  Attach(controller);
  controller.Bind(model, *this);
}

}  // namespace tarq::ui::qt
