#include "ui/win32/main_window.h"

#include "ui/win32/dialog_window.h"

namespace tarq::ui::win32 {

MainWindow::MainWindow(forms::MainController& controller, forms::FrmMain& model)
    : FormWindow(model.Layout()), main_(controller) {
  controller.Bind(model, *this);
}

void MainWindow::Show(int showCommand) {
  ShowWindow(hwnd_, showCommand);
  UpdateWindow(hwnd_);
  main_.Shown();
}

std::unique_ptr<forms::WindowView> MainWindow::MakeDialog(forms::DialogForm& dialog,
                                                          forms::WindowController& controller) {
  return std::make_unique<DialogWindow>(dialog, controller, *this);
}

void MainWindow::Place(int dpi, const RECT* suggested) {
  RECT at{};
  if (suggested != nullptr) {
    at = *suggested;  // of the size answered to WM_GETDPISCALEDSIZE
  } else {
    GetWindowRect(hwnd_, &at);
    const SIZE frame = FrameSize(dpi);
    at.right = at.left + frame.cx;
    at.bottom = at.top + frame.cy;
  }
  SetWindowPos(hwnd_, nullptr, at.left, at.top, at.right - at.left, at.bottom - at.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT MainWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:
      if (main_.CloseBox()) Destroy();
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      // The session ends, or the Restart Manager closes the program
      // (ENDSESSION_CLOSEAPP): it closes as at its close boxes and ends.
      if (wParam != FALSE) main_.Shutdown();
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return FormWindow::OnMessage(message, wParam, lParam);
  }
}

}  // namespace tarq::ui::win32
