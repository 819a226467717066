#include "ui/qt/main_window.h"

#include <QApplication>
#include <QThread>
#include <QTimer>

#include "ui/qt/dialog_window.h"

namespace tarq::ui::qt {

MainWindow::MainWindow(forms::MainController& controller, forms::FrmMain& model)
    : FormWindow(model.Layout()), main_(controller) {
  controller.Bind(model, *this);
}

std::unique_ptr<forms::WindowView> MainWindow::MakeDialog(forms::DialogForm& dialog,
                                                          forms::WindowController& controller) {
  return std::make_unique<DialogWindow>(dialog, controller, *this);
}

void MainWindow::CloseForShutdown() {
  // A message box waits in an event loop of its own, inside an event
  // procedure: close it, and shut down once that procedure has returned to
  // the application's loop.
  if (QWidget* box = QApplication::activeModalWidget()) box->close();
  if (QThread::currentThread()->loopLevel() > 1) {
    QTimer::singleShot(0, this, &MainWindow::CloseForShutdown);
    return;
  }
  main_.Shutdown();
}

}  // namespace tarq::ui::qt
