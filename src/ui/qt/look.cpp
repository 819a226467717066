#include "ui/qt/look.h"

#include <QApplication>
#include <QPalette>
#include <QPixmap>
#include <QProxyStyle>

#include "ui/qt/system_fonts.h"
#include "ui/qt/tarq_icon.xpm"

namespace tarq::ui::qt {

// The faces that stand in where the named fonts are missing, as on Linux,
// chosen by measuring the controls at 100 % to 200 % scale:
//  - IPAGothic keeps every full-width character, the marks × and λ included,
//    exactly twice its half-width ones; VL Gothic, MigMix 1M and Noto Sans
//    Mono CJK draw × and λ half-width, which moves the comments after them.
//  - IPAGothic antialiased draws no `_` at 9 to 12, 16 to 20 and 27 to 29
//    pixels with full hinting (9 pt is 12), and a faint one (a third of full
//    contrast at 12 pixels) with lighter hinting. Without antialiasing, as
//    Windows draws its Gothic faces at these sizes, it draws a solid one at
//    every size.
//  - IPAPGothic draws a solid `_` at every size antialiased, but its
//    descenders reach a row below its line: it suits the captions that name
//    it, not the rows of the lists.
//  - Noto Sans CJK is 17 pixels high at 9 pt: too tall for the 17-pixel
//    labels and buttons.
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
  // Full hinting, as Windows draws; lighter hinting hands the IPA fonts to
  // FreeType's auto-hinter, which first analyses the whole font.
  font.setHintingPreference(QFont::PreferFullHinting);
  // Set either way: a child's font would take the window's otherwise.
  font.setStyleStrategy(family == kGothic ? QFont::NoAntialias : QFont::PreferAntialias);
  return font;
}

QFont WindowFont() {
  const QString platformFamily = JapaneseUiFamily();
  if (platformFamily.isEmpty()) {
    // The font configuration names no family for Japanese text.
    QFont font = QApplication::font();
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
  }
  // Elsewhere the controls draw in the face of the map lists, at the size the
  // windows were laid out for; the platform's family for Japanese text (on
  // many desktops a taller one) is the fallback. A list of families skips
  // the substitutes of its first: they are named.
  QFont font = NamedFont(kGothic, 9);
  font.setFamilies(QStringList{kGothic} + QFont::substitutes(kGothic) +
                   QStringList{platformFamily});
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

QColor Colour(forms::Colour c) {
  return {c.red, c.green, c.blue};
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
  window.setFixedSize(forms::TwipsToPixels(layout.width), forms::TwipsToPixels(layout.height));
  QPalette palette = window.palette();
  palette.setColor(QPalette::Window, Colour(forms::kWindowColour));
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
  palette.setColor(QPalette::WindowText, Colour(forms::kCaptionColour));
  label->setPalette(palette);
  label->setAutoFillBackground(false);
  // Room below the line, so that descenders are neither cut off nor on the
  // label's edge: IPAPGothic's reach a row below its line.
  label->setContentsMargins(0, 0, 0, 2);
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
  // The text starts at the top of the inner area: the default indent, half an
  // "x" from the frame on the top as on the left, leaves too little room for
  // the descenders in a 17-pixel label.
  label->setIndent(0);
  label->setContentsMargins(3, 0, 3, 0);
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
