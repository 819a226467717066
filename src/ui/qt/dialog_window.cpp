#include "ui/qt/dialog_window.h"

namespace tarq::ui::qt {

DialogWindow::DialogWindow(forms::DialogForm& model) : FormWindow(model.Layout()) {
  Attach(controller_);
  controller_.Bind(model, *this);
}

DialogWindow::~DialogWindow() {
  Release();  // before the controller goes
}

}  // namespace tarq::ui::qt
