#include "ui/win32/dialog_window.h"

#include "ui/win32/look.h"

namespace tarq::ui::win32 {
namespace {

constexpr UINT kFirstActivation = WM_APP + 1;

}  // namespace

DialogWindow::DialogWindow(const forms::WindowLayout& layout, forms::DialogForm& model,
                           const FormControls::Lookup& lookup, std::function<void()> activate)
    : FormWindow(layout), model_(model), activate_(std::move(activate)) {
  Bind(lookup);
}

DialogWindow::~DialogWindow() {
  Detach();
}

void DialogWindow::Show() {
  ShowWindow(hwnd_, SW_SHOW);
  FocusFirst();
}

void DialogWindow::Detach() {
  if (detached_) return;
  detached_ = true;
  Release();
  if (IsWindow(hwnd_)) DestroyWindow(hwnd_);
}

void DialogWindow::Place(int dpi, const RECT*) {
  // Fixed on the screen, wherever the main window is.
  using forms::TwipsToPixels;
  const RECT r =
      FrameAround(layout_.kind, TwipsToPixels(forms::kDialogLeftTwips, dpi),
                  TwipsToPixels(forms::kDialogTopTwips, dpi), TwipsToPixels(layout_.width, dpi),
                  TwipsToPixels(layout_.height, dpi), dpi);
  SetWindowPos(hwnd_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT DialogWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && !activated_) {
        activated_ = true;
        // Runs once the dialog is up, as it becomes the active window.
        PostMessageW(hwnd_, kFirstActivation, 0, 0);
      }
      break;
    case kFirstActivation:
      if (!detached_ && model_.Loaded() && activate_) activate_();
      return 0;
    case WM_CLOSE:
      // Every way of closing enables the main window again.
      if (!detached_) model_.Unload();
      Detach();
      return 0;
    default:
      break;
  }
  return FormWindow::OnMessage(message, wParam, lParam);
}

}  // namespace tarq::ui::win32
