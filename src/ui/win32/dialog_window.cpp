#include "ui/win32/dialog_window.h"

#include "ui/win32/look.h"

namespace tarq::ui::win32 {
namespace {

// The monitor that holds `window`, or the nearest one.
MONITORINFO MonitorOf(HWND window) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info);
  return info;
}

// A point on that monitor: its work area's top-left corner.
POINT PointOnMonitorOf(HWND window) {
  const RECT work = MonitorOf(window).rcWork;
  return {work.left, work.top};
}

forms::ScreenRect Screen(const RECT& r) {
  return {r.left, r.top, r.right, r.bottom};
}

}  // namespace

DialogWindow::DialogWindow(forms::DialogForm& model, forms::WindowController& controller,
                           const FormWindow& owner)
    : FormWindow(model.Layout(), owner.Handle(), PointOnMonitorOf(owner.Handle())) {
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
  // At a fixed place from the top-left corner of the main window's monitor,
  // on which it was made.
  const MONITORINFO monitor = MonitorOf(GetWindow(hwnd_, GW_OWNER));
  const RECT frame = FrameAround(layout_.kind, 0, 0, TwipsToPixels(layout_.width, dpi),
                                 TwipsToPixels(layout_.height, dpi), dpi);
  const forms::ScreenRect r = forms::DialogFrameOnMonitor(
      Screen(monitor.rcMonitor), Screen(monitor.rcWork), Screen(frame),
      TwipsToPixels(forms::kDialogLeftTwips, dpi), TwipsToPixels(forms::kDialogTopTwips, dpi));
  SetWindowPos(hwnd_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace tarq::ui::win32
