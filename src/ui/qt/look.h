#pragma once
// The launcher's look: black windows, yellow captions, the shared icon and
// the Japanese fonts the controls name.

#include <QFont>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QString>
#include <QWidget>

#include "forms/layout.h"

namespace tarq::ui::qt {

inline const QString kPGothic = QString::fromUtf8(forms::kPGothic);
inline const QString kGothic = QString::fromUtf8(forms::kGothic);

// Maps the fonts named above to the metric-compatible IPA fonts where the
// originals are missing. Idempotent.
void InstallFontSubstitutes();

// A named font, drawn so that its face shows every character whole
// (look.cpp has the figures).
QFont NamedFont(const QString& family, int pointSize, bool bold = false, bool italic = false);

// The font of controls that name none: the face of "ＭＳ ゴシック" at 9 pt,
// falling back to the platform's family for Japanese text; Qt's default
// font where the font configuration names none.
QFont WindowFont();

QIcon AppIcon();

// Makes the application's style one whose drop-down lists drop below the
// box, as on Windows, instead of opening over it. Sizing such a popup looks
// at the visible rows only, so a list of 32768 maps opens at once. One style
// for the whole application: a style set on each list would make every
// list's popup at once. Idempotent.
void UseDropDownStyle();

// A black window of the layout's caption and fixed client size, in the
// window font and the style above.
void SetUpWindow(QWidget& window, const forms::WindowLayout& layout);
// Its frame: set when the window is made.
Qt::WindowFlags WindowFlags(forms::WindowKind kind);

QColor Colour(forms::Colour c);

// A control's place and size in pixels.
QRect Pixels(const forms::ControlLayout& c);
// A control's font of its own, or the window font.
QFont ControlFont(const forms::FontSpec& font);

// A caption label: yellow text on the window's black, no border; sized to
// its text in its own font when it has one, else in the window's.
QLabel* MakeCaptionLabel(QWidget* parent, const forms::ControlLayout& c);
// A value label: single-line border, button-face background, button-text
// colour; keeps its size and cuts off what does not fit.
QLabel* MakeValueLabel(QWidget* parent, const forms::ControlLayout& c);
// A button that reacts to Enter only while it has the focus.
QPushButton* MakeButton(QWidget* parent, const forms::ControlLayout& c);

}  // namespace tarq::ui::qt
