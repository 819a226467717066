#include "ui/win32/dialog_window.h"

#include "ui/win32/look.h"

namespace tarq::ui::win32 {

DialogWindow::DialogWindow(forms::DialogForm& model, forms::WindowController& controller,
                           const FormWindow& owner)
    : FormWindow(model.Layout(), owner.Handle()) {
  Attach(controller);
  controller.Bind(model, *this);
}

void DialogWindow::Place(int dpi, const RECT* suggested) {
  if (suggested != nullptr) {
    // Dragged to a monitor of another DPI: it stays there.
    SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top,
                 suggested->right - suggested->left, suggested->bottom - suggested->top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    return;
  }
  // Fixed on the screen, wherever the main window is.
  const RECT r =
      FrameAround(layout_.kind, TwipsToPixels(forms::kDialogLeftTwips, dpi),
                  TwipsToPixels(forms::kDialogTopTwips, dpi), TwipsToPixels(layout_.width, dpi),
                  TwipsToPixels(layout_.height, dpi), dpi);
  SetWindowPos(hwnd_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace tarq::ui::win32
