#include "ui/look.h"

#include <QApplication>
#include <QPalette>
#include <QPixmap>
#include <QProxyStyle>

#include "ui/system_fonts.h"
#include "ui/tarq_icon.xpm"
#include "ui/twips.h"

namespace tarq::ui {

void InstallFontSubstitutes() {
  static const bool done = [] {
    QFont::insertSubstitutions(kPGothic,
                               {QStringLiteral("MS PGothic"), QStringLiteral("IPAPGothic")});
    QFont::insertSubstitutions(kGothic, {QStringLiteral("MS Gothic"), QStringLiteral("IPAGothic")});
    return true;
  }();
  (void)done;
}

QFont NamedFont(const QString& family, int pointSize, bool bold, bool italic) {
  InstallFontSubstitutes();
  QFont font(family, pointSize);
  font.setBold(bold);
  font.setItalic(italic);
  font.setHintingPreference(QFont::PreferFullHinting);
  return font;
}

QFont WindowFont() {
  QFont font = QApplication::font();
  const QString family = JapaneseUiFamily();
  if (!family.isEmpty()) font.setFamilies({family});
  font.setHintingPreference(QFont::PreferFullHinting);
  return font;
}

namespace {

class DropDownProxyStyle final : public QProxyStyle {
 public:
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* data) const override {
    if (hint == SH_ComboBox_Popup) return 0;
    return QProxyStyle::styleHint(hint, option, widget, data);
  }
};

}  // namespace

void UseDropDownStyle() {
  // Asked each time: a new application (tests make several) starts out in
  // Qt's own style again.
  if (dynamic_cast<DropDownProxyStyle*>(QApplication::style()) == nullptr) {
    QApplication::setStyle(new DropDownProxyStyle);  // the application owns it
  }
}

QIcon AppIcon() {
  return QIcon(QPixmap(tarq_icon_xpm));
}

void SetUpWindow(QWidget& window, const QString& title, int widthTwips, int heightTwips) {
  UseDropDownStyle();
  window.setWindowTitle(title);
  window.setWindowIcon(AppIcon());
  window.setFixedSize(TwipsToPixels(widthTwips), TwipsToPixels(heightTwips));
  QPalette palette = window.palette();
  palette.setColor(QPalette::Window, Qt::black);
  window.setPalette(palette);
  window.setAutoFillBackground(true);
  window.setFont(WindowFont());
}

QLabel* MakeCaptionLabel(QWidget* parent, const char* name, const QString& text, int leftTwips,
                         int topTwips, int widthTwips, int heightTwips,
                         const std::optional<QFont>& font) {
  auto* label = new QLabel(text, parent);
  if (font) label->setFont(*font);
  label->setObjectName(QString::fromLatin1(name));
  label->setTextFormat(Qt::PlainText);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, QColor(255, 255, 0));
  label->setPalette(palette);
  label->setAutoFillBackground(false);
  label->setGeometry(TwipsRect{leftTwips, topTwips, widthTwips, heightTwips}.ToPixels());
  label->adjustSize();  // sizes itself to its text, from its top-left corner
  return label;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& text, int leftTwips,
                        int topTwips, int widthTwips, int heightTwips) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setGeometry(TwipsRect{leftTwips, topTwips, widthTwips, heightTwips}.ToPixels());
  button->setAutoDefault(true);
  return button;
}

QLabel* MakeValueLabel(QWidget* parent, const char* name, int leftTwips, int topTwips,
                       int widthTwips, int heightTwips) {
  auto* label = new QLabel(parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setTextFormat(Qt::PlainText);
  label->setFrameStyle(QFrame::Box | QFrame::Plain);
  label->setLineWidth(1);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setWordWrap(true);  // breaks at spaces only; what does not fit is cut off
  QPalette palette = label->palette();
  palette.setColor(QPalette::Window, palette.color(QPalette::Button));
  palette.setColor(QPalette::WindowText, palette.color(QPalette::ButtonText));
  label->setPalette(palette);
  label->setAutoFillBackground(true);
  label->setGeometry(TwipsRect{leftTwips, topTwips, widthTwips, heightTwips}.ToPixels());
  return label;
}

}  // namespace tarq::ui
