#include "ui/dialog_window.h"

namespace tarq::ui {

Qt::WindowFlags DialogWindowFlags() {
  return Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
}

void PlaceDialog(QWidget& dialog, int widthTwips, int heightTwips) {
  dialog.setGeometry(
      TwipsRect{kDialogLeftTwips, kDialogTopTwips, widthTwips, heightTwips}.ToPixels());
  dialog.setFixedSize(TwipsToPixels(widthTwips), TwipsToPixels(heightTwips));
}

}  // namespace tarq::ui
