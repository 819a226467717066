// The floor of row 5: the least Qt program that shows the launcher's main
// window. The shown controls of the layout table as the same widgets, at
// the same places, in the faces the launcher draws them in (IPAGothic and
// IPAPGothic, named directly), with the option rows filled and the value
// labels holding texts of the usual length. It reads no file and holds no
// form model: what the launcher does beyond this is its own work.

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QWidget>
#include <string_view>

#include "forms/layout.h"

namespace {

using tarq::forms::ControlKind;
using tarq::forms::ControlLayout;
using tarq::forms::TwipsToPixels;

QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// What the launcher shows in the value labels and the map list's box on the
// benchmark's game folder, in texts of the same length.
QString ShownText(std::string_view name) {
  if (name == "labHL") return QStringLiteral("/tmp/tarq-bench-1234567890/Half-Life");
  if (name == "labValve") return QStringLiteral("/tmp/tarq-bench-1234567890/Half-Life/valve");
  if (name == "labMaps") return QStringLiteral("/tmp/tarq-bench-1234567890/Half-Life/valve/maps");
  if (name == "labCommand") return QStringLiteral("-heapsize 32000 -game valve +skill 1");
  if (name == "cmbMapComment") {
    return QStringLiteral("C00000_xxxx.BSP ◎ 難しい　ボス戦 No.0 remember the crowbar");
  }
  return {};
}

// The rows the benchmark's settings file selects.
int SelectedRow(std::string_view name) {
  if (name == "cmbDiff") return 1;
  if (name == "cmbMemory") return 2;
  return 0;
}

QFont Face(const tarq::forms::FontSpec& wanted) {
  const bool fixed = wanted.family.empty() || wanted.family == tarq::forms::kGothic;
  QFont font(fixed ? QStringLiteral("IPAGothic") : QStringLiteral("IPAPGothic"),
             wanted.points > 0 ? wanted.points : 9);
  font.setBold(wanted.bold);
  font.setItalic(wanted.italic);
  font.setHintingPreference(QFont::PreferFullHinting);
  font.setStyleStrategy(fixed ? QFont::NoAntialias : QFont::PreferAntialias);
  return font;
}

QRect Pixels(const ControlLayout& c) {
  return {TwipsToPixels(c.left), TwipsToPixels(c.top), TwipsToPixels(c.width),
          TwipsToPixels(c.height)};
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  const tarq::forms::WindowLayout& layout = tarq::forms::kFrmMainLayout;
  QWidget window(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowCloseButtonHint | Qt::WindowSystemMenuHint |
                              Qt::WindowMinimizeButtonHint);
  window.setWindowTitle(Text(layout.caption));
  window.setFixedSize(TwipsToPixels(layout.width), TwipsToPixels(layout.height));
  QPalette black = window.palette();
  black.setColor(QPalette::Window, Qt::black);
  window.setPalette(black);
  window.setAutoFillBackground(true);
  window.setFont(Face({}));
  QWidget* focus = nullptr;
  for (const ControlLayout& c : layout.controls) {
    if (!c.visible) continue;
    QWidget* widget = nullptr;
    switch (c.kind) {
      case ControlKind::kCaptionLabel: {
        auto* label = new QLabel(Text(c.caption), &window);
        if (!c.font.family.empty()) label->setFont(Face(c.font));
        label->setTextFormat(Qt::PlainText);
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, QColor(255, 255, 0));
        label->setPalette(palette);
        label->setContentsMargins(0, 0, 0, 2);
        label->move(Pixels(c).topLeft());
        label->adjustSize();
        continue;
      }
      case ControlKind::kValueLabel: {
        auto* label = new QLabel(ShownText(c.name), &window);
        label->setTextFormat(Qt::PlainText);
        label->setFrameStyle(QFrame::Box | QFrame::Plain);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setIndent(0);
        label->setContentsMargins(3, 0, 3, 0);
        label->setWordWrap(true);
        QPalette palette = label->palette();
        palette.setColor(QPalette::Window, palette.color(QPalette::Button));
        palette.setColor(QPalette::WindowText, palette.color(QPalette::ButtonText));
        label->setPalette(palette);
        label->setAutoFillBackground(true);
        widget = label;
        break;
      }
      case ControlKind::kButton: {
        auto* button = new QPushButton(Text(c.caption), &window);
        button->setAutoDefault(true);
        button->setEnabled(c.enabled);
        widget = button;
        break;
      }
      default: {  // the drop-down lists
        auto* list = new QComboBox(&window);
        for (const auto& row : c.rows) list->addItem(Text(row.text));
        if (c.rows.empty()) list->addItem(ShownText(c.name));
        list->setCurrentIndex(SelectedRow(c.name));
        if (!c.font.family.empty()) list->setFont(Face(c.font));
        widget = list;
        break;
      }
    }
    widget->setGeometry(Pixels(c));
    if (&c == layout.FirstFocus()) focus = widget;
  }
  window.show();
  focus->setFocus(Qt::OtherFocusReason);
  return QApplication::exec();
}
