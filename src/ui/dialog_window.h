#pragma once
// What the two dialogs share: a fixed tool window without a taskbar button
// of its own, at a fixed place on the screen, and buttons that react to
// Enter only while they have the focus.

#include <QPushButton>
#include <QWidget>
#include <type_traits>

#include "ui/twips.h"

namespace tarq::ui {

// The client area's top-left corner on the screen, wherever the main window is.
inline constexpr int kDialogLeftTwips = 2760;
inline constexpr int kDialogTopTwips = 3690;

// A dialog window bound to a dialog model. Once the model has unloaded the
// dialog, the window is detached: it lets go of the model, whose life may end
// before the window's deferred deletion.
class DialogWindow : public QWidget {
  Q_OBJECT

 public:
  using QWidget::QWidget;
  virtual void Detach() = 0;

 protected:
  // Connects a signal of one of the window's controls to the model, for as
  // long as the window is bound to it.
  template <typename Sender, typename Signal, typename Event>
  void Forward(Sender* sender, Signal signal, Event event) {
    connect(sender, signal, this, [this, event](auto... args) {
      if (detached_) return;
      if constexpr (std::is_invocable_v<Event, decltype(args)...>) {
        event(args...);
      } else {
        event();  // the signal's arguments are not needed
      }
    });
  }

  bool detached_ = false;
};

Qt::WindowFlags DialogWindowFlags();

void PlaceDialog(QWidget& dialog, int widthTwips, int heightTwips);

}  // namespace tarq::ui
