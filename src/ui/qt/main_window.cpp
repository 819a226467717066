#include "ui/qt/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMessageBox>
#include <QThread>
#include <QTimer>

#include "forms/messages.h"
#include "ui/qt/look.h"

namespace tarq::ui::qt {

MainWindow::MainWindow(const std::string& programFolder, QWidget* parent)
    : QWidget(parent, WindowFlags(forms::WindowKind::kMain)),
      model_(std::make_unique<forms::FrmMain>(*this, programFolder)) {
  // The model loads first, while the fonts may still be loading; the
  // controls then bind to what it holds.
  model_->Form_Load();
  widgets_.emplace(*this, forms::kFrmMainLayout,
                   [this](std::string_view name) { return model_->Control(name); });
  model_->EnabledObserver = [this] { MirrorEnabled(); };
}

MainWindow::~MainWindow() {
  delete dialog_;  // a dialog has no owner window
  // The widgets let go of the model before it goes.
  widgets_->Release();
  model_->EnabledObserver = nullptr;
  model_.reset();
}

void MainWindow::MirrorEnabled() {
  if (!model_->Enabled()) {
    focusBeforeDialog_ = focusWidget();
    setEnabled(false);
    return;
  }
  setEnabled(true);
  // Back from a dialog, the control that had the focus has it again.
  if (focusBeforeDialog_ != nullptr && focusBeforeDialog_->isEnabled()) {
    focusBeforeDialog_->setFocus(Qt::ActiveWindowFocusReason);
  }
  activateWindow();
}

void MainWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!shownOnce_) {
    shownOnce_ = true;
    widgets_->FocusFirst();
  }
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (!model_->Enabled()) {  // a dialog is up
    event->ignore();
    return;
  }
  if (!unloaded_) {
    unloaded_ = true;
    model_->Form_Unload();
  }
  event->accept();
}

void MainWindow::CloseForShutdown() {
  // A message box waits in an event loop of its own, inside an event
  // procedure: close it, and close the windows once that procedure has
  // returned to the application's loop.
  if (QWidget* box = QApplication::activeModalWidget()) box->close();
  if (QThread::currentThread()->loopLevel() > 1) {
    QTimer::singleShot(0, this, &MainWindow::CloseForShutdown);
    return;
  }
  if (dialog_ != nullptr) dialog_->close();  // its unload enables this window again
  close();
}

void MainWindow::ShowCommentDialog(forms::DlgComment& dialog) {
  ShowDialog(new DialogWindow(
      forms::kDlgCommentLayout, dialog,
      [&dialog](std::string_view name) { return dialog.Control(name); },
      [&dialog] { dialog.Form_Activate(); }));
}

void MainWindow::ShowFolderDialog(forms::DlgFldSelect& dialog) {
  ShowDialog(new DialogWindow(forms::kDlgFldSelectLayout, dialog,
                              [&dialog](std::string_view name) { return dialog.Control(name); }));
}

void MainWindow::ShowDialog(DialogWindow* dialog) {
  CloseDialog();
  dialog_ = dialog;
  dialog_->show();
}

void MainWindow::CloseDialog() {
  if (dialog_ == nullptr) return;
  dialog_->Detach();
  dialog_->hide();
  dialog_->deleteLater();
  dialog_ = nullptr;
}

void MainWindow::MsgBox(std::string_view text) {
  QString message = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  message.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  QMessageBox box(QMessageBox::Warning, QString::fromUtf8(forms::kAppTitle), message,
                  QMessageBox::Ok,
                  dialog_ != nullptr ? static_cast<QWidget*>(dialog_.data()) : this);
  box.exec();
}

}  // namespace tarq::ui::qt
