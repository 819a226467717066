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

QPushButton* MakeDialogButton(QWidget* parent, const char* name, const QString& text,
                              TwipsRect geometry) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setGeometry(geometry.ToPixels());
  button->setAutoDefault(true);
  return button;
}

}  // namespace tarq::ui
