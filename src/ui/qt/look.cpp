#include "ui/qt/look.h"

#include <QApplication>
#include <QPalette>
#include <QPixmap>
#include <QProxyStyle>

#include "ui/qt/system_fonts.h"
#include "ui/qt/tarq_icon.xpm"

namespace tarq::ui::qt {

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

QRect Pixels(const forms::ControlLayout& c) {
  return {forms::TwipsToPixels(c.left), forms::TwipsToPixels(c.top), forms::TwipsToPixels(c.width),
          forms::TwipsToPixels(c.height)};
}

void SetUpWindow(QWidget& window, const forms::WindowLayout& layout) {
  UseDropDownStyle();
  window.setObjectName(QString::fromUtf8(layout.name));
  window.setWindowTitle(QString::fromUtf8(layout.caption));
  window.setWindowIcon(AppIcon());
  const QSize size(forms::TwipsToPixels(layout.width), forms::TwipsToPixels(layout.height));
  if (layout.kind == forms::WindowKind::kToolDialog) {
    // The client area stands at a fixed place on the screen, wherever the
    // main window is.
    window.setGeometry(QRect(QPoint(forms::TwipsToPixels(forms::kDialogLeftTwips),
                                    forms::TwipsToPixels(forms::kDialogTopTwips)),
                             size));
  }
  window.setFixedSize(size);
  QPalette palette = window.palette();
  palette.setColor(QPalette::Window, Qt::black);
  window.setPalette(palette);
  window.setAutoFillBackground(true);
  window.setFont(WindowFont());
}

Qt::WindowFlags WindowFlags(forms::WindowKind kind) {
  const Qt::WindowFlags frame =
      Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
  if (kind == forms::WindowKind::kToolDialog) return Qt::Tool | frame;
  return Qt::Window | frame | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint;
}

QFont ControlFont(const forms::FontSpec& font) {
  if (font.family.empty()) return WindowFont();
  return NamedFont(QString::fromUtf8(font.family), font.points, font.bold, font.italic);
}

QLabel* MakeCaptionLabel(QWidget* parent, const forms::ControlLayout& c) {
  auto* label = new QLabel(QString::fromUtf8(c.caption), parent);
  if (!c.font.family.empty()) label->setFont(ControlFont(c.font));
  label->setObjectName(QString::fromUtf8(c.name));
  label->setTextFormat(Qt::PlainText);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, QColor(255, 255, 0));
  label->setPalette(palette);
  label->setAutoFillBackground(false);
  label->setGeometry(Pixels(c));
  // A caption label sizes itself to its text, from its top-left corner.
  if (c.kind == forms::ControlKind::kCaptionLabel) label->adjustSize();
  return label;
}

QPushButton* MakeButton(QWidget* parent, const forms::ControlLayout& c) {
  auto* button = new QPushButton(QString::fromUtf8(c.caption), parent);
  button->setObjectName(QString::fromUtf8(c.name));
  button->setGeometry(Pixels(c));
  button->setAutoDefault(true);  // Enter presses it only while it has the focus
  button->setEnabled(c.enabled);
  return button;
}

QLabel* MakeValueLabel(QWidget* parent, const forms::ControlLayout& c) {
  auto* label = new QLabel(parent);
  label->setObjectName(QString::fromUtf8(c.name));
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
  label->setGeometry(Pixels(c));
  return label;
}

}  // namespace tarq::ui::qt
