#include "ui/qt/dialog_window.h"

#include <QCloseEvent>
#include <QTimer>

#include "ui/qt/look.h"

namespace tarq::ui::qt {

DialogWindow::DialogWindow(const forms::WindowLayout& layout, forms::DialogForm& model,
                           const FormWidgets::Lookup& lookup, std::function<void()> activate)
    : QWidget(nullptr, WindowFlags(layout.kind)),
      model_(model),
      widgets_(*this, layout, lookup),
      activate_(std::move(activate)) {
  setAttribute(Qt::WA_DeleteOnClose, false);
}

DialogWindow::~DialogWindow() {
  Detach();
}

void DialogWindow::Detach() {
  if (detached_) return;
  detached_ = true;
  widgets_.Release();
}

void DialogWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  widgets_.FocusFirst();
  if (shownOnce_) return;
  shownOnce_ = true;
  activateWindow();
  if (activate_) {
    // Runs once the dialog is up, as it becomes the active window.
    QTimer::singleShot(0, this, [this] {
      if (!detached_ && model_.Loaded()) activate_();
    });
  }
}

void DialogWindow::closeEvent(QCloseEvent* event) {
  if (!detached_) model_.Unload();  // every way of closing enables the main window again
  event->accept();
}

}  // namespace tarq::ui::qt
