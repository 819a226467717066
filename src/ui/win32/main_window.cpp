#include "ui/win32/main_window.h"

#include "forms/messages.h"
#include "ui/win32/look.h"

namespace tarq::ui::win32 {
namespace {

constexpr UINT kDeleteClosedDialogs = WM_APP + 2;

}  // namespace

MainWindow::MainWindow(const std::string& programFolder)
    : FormWindow(forms::kFrmMainLayout),
      model_(std::make_unique<forms::FrmMain>(*this, programFolder)) {
  // The model loads first; the controls then bind to what it holds.
  model_->Form_Load();
  Bind([this](std::string_view name) { return model_->Control(name); });
  model_->EnabledObserver = [this] { MirrorEnabled(); };
}

MainWindow::~MainWindow() {
  dialog_.reset();  // a dialog has no owner window
  closed_.clear();
  // The controls let go of the model before it goes.
  Release();
  model_->EnabledObserver = nullptr;
  if (IsWindow(hwnd_)) DestroyWindow(hwnd_);
  model_.reset();
}

void MainWindow::Show(int showCommand) {
  ShowWindow(hwnd_, showCommand);
  UpdateWindow(hwnd_);
  FocusFirst();
}

void MainWindow::Place(int dpi, const RECT* suggested) {
  RECT now{};
  GetWindowRect(hwnd_, &now);
  const RECT frame = FrameAround(layout_.kind, 0, 0, forms::TwipsToPixels(layout_.width, dpi),
                                 forms::TwipsToPixels(layout_.height, dpi), dpi);
  const POINT at =
      suggested != nullptr ? POINT{suggested->left, suggested->top} : POINT{now.left, now.top};
  SetWindowPos(hwnd_, nullptr, at.x, at.y, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::MirrorEnabled() {
  EnableWindow(hwnd_, model_->Enabled() ? TRUE : FALSE);
  // Back from a dialog: the main window is the active one again, and the
  // control that had the focus has it.
  if (model_->Enabled()) SetForegroundWindow(hwnd_);
}

void MainWindow::Unload() {
  if (unloaded_) return;
  unloaded_ = true;
  model_->Form_Unload();
}

LRESULT MainWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:
      if (!model_->Enabled()) {  // a dialog is up
        if (dialog_ != nullptr) SetForegroundWindow(dialog_->Handle());
        return 0;
      }
      Unload();
      DestroyWindow(hwnd_);
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      // Windows is ending the session: the window unloads as at its close
      // box; a dialog that is up closes as at its close box first.
      if (wParam != FALSE) {
        if (auto* d = model_->dlgComment()) d->Unload();
        if (auto* d = model_->dlgFldSelect()) d->Unload();
        Unload();
      }
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    case kDeleteClosedDialogs:
      closed_.clear();
      return 0;
    default:
      return FormWindow::OnMessage(message, wParam, lParam);
  }
}

void MainWindow::ShowCommentDialog(forms::DlgComment& dialog) {
  ShowDialog(std::make_unique<DialogWindow>(
      forms::kDlgCommentLayout, dialog,
      [&dialog](std::string_view name) { return dialog.Control(name); },
      [&dialog] { dialog.Form_Activate(); }));
}

void MainWindow::ShowFolderDialog(forms::DlgFldSelect& dialog) {
  ShowDialog(std::make_unique<DialogWindow>(
      forms::kDlgFldSelectLayout, dialog,
      [&dialog](std::string_view name) { return dialog.Control(name); }));
}

void MainWindow::ShowDialog(std::unique_ptr<DialogWindow> dialog) {
  CloseDialog();
  dialog_ = std::move(dialog);
  dialog_->Show();
}

void MainWindow::CloseDialog() {
  if (dialog_ == nullptr) return;
  dialog_->Detach();
  // The dialog's own message (its button, its close box) may still be
  // running: its object goes once that is done.
  closed_.push_back(std::move(dialog_));
  PostMessageW(hwnd_, kDeleteClosedDialogs, 0, 0);
}

void MainWindow::MsgBox(std::string_view text) {
  const HWND owner = dialog_ != nullptr ? dialog_->Handle() : hwnd_;
  MessageBoxW(owner, Wide(text).c_str(), Wide(forms::kAppTitle).c_str(),
              MB_ICONEXCLAMATION | MB_OK);
}

}  // namespace tarq::ui::win32
