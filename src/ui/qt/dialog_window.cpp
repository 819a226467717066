#include "ui/qt/dialog_window.h"

#include <QAccessibleWidget>
#include <QScreen>
#include <QWindow>

namespace tarq::ui::qt {
namespace {

forms::ScreenRect Screen(const QRect& r) {
  return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

// A plain widget's window is read as a client area: a dialog's is announced
// as a dialog, with its text.
QAccessibleInterface* DialogAccessible(const QString&, QObject* object) {
  auto* dialog = qobject_cast<DialogWindow*>(object);
  return dialog != nullptr ? new QAccessibleWidget(dialog, QAccessible::Dialog) : nullptr;
}

}  // namespace

DialogWindow::DialogWindow(forms::DialogForm& model, forms::WindowController& controller,
                           FormWindow& owner)
    : FormWindow(model.Layout()) {
  [[maybe_unused]] static const bool accessible =
      (QAccessible::installFactory(&DialogAccessible), true);
  // On the main window's screen, at a fixed place from its top-left corner,
  // within its available area. The window manager's frame is not known
  // before the window is shown: the client area is kept inside.
  if (QScreen* screen = owner.screen()) {
    using forms::TwipsToPixels;
    const forms::ScreenRect r = forms::DialogFrameOnMonitor(
        Screen(screen->geometry()), Screen(screen->availableGeometry()), {0, 0, width(), height()},
        TwipsToPixels(forms::kDialogLeftTwips), TwipsToPixels(forms::kDialogTopTwips));
    setScreen(screen);
    setGeometry(r.left, r.top, r.right - r.left, r.bottom - r.top);
  }
  if (QWindow* main = owner.windowHandle()) {
    winId();  // makes the window to set the transient on
    windowHandle()->setTransientParent(main);
  }
  controller.Bind(model, *this);
}

}  // namespace tarq::ui::qt
