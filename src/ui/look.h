#pragma once
// The launcher's look: black windows, yellow captions, the shared icon and
// the Japanese fonts the controls name.

#include <QFont>
#include <QIcon>
#include <QLabel>
#include <QString>
#include <QWidget>
#include <optional>

namespace tarq::ui {

inline const QString kPGothic = QStringLiteral("ＭＳ Ｐゴシック");
inline const QString kGothic = QStringLiteral("ＭＳ ゴシック");

// Maps the fonts named above to the metric-compatible IPA fonts where the
// originals are missing. Idempotent.
void InstallFontSubstitutes();

// A named font, drawn so that its face shows every character whole
// (look.cpp has the figures).
QFont NamedFont(const QString& family, int pointSize, bool bold = false, bool italic = false);

// The font of controls that name none: the platform's user-interface font
// where that is Japanese already (Windows); elsewhere the face of
// "ＭＳ ゴシック" at 9 pt, falling back to the platform's family for Japanese
// text.
QFont WindowFont();

QIcon AppIcon();

// Makes the application's style one whose drop-down lists drop below the
// box, as on Windows, instead of opening over it. Sizing such a popup looks
// at the visible rows only, so a list of 32768 maps opens at once. One style
// for the whole application: a style set on each list would make every
// list's popup at once. Idempotent.
void UseDropDownStyle();

// A black window of a fixed client size, in the window font and the style
// above.
void SetUpWindow(QWidget& window, const QString& title, int widthTwips, int heightTwips);

// A caption label: yellow text on the window's black, no border, sized to its
// text in its own font when it has one, else in the window's.
QLabel* MakeCaptionLabel(QWidget* parent, const char* name, const QString& text, int leftTwips,
                         int topTwips, int widthTwips, int heightTwips,
                         const std::optional<QFont>& font = std::nullopt);

// A value label: single-line border, button-face background, button-text colour;
// keeps its size and cuts off what does not fit.
QLabel* MakeValueLabel(QWidget* parent, const char* name, int leftTwips, int topTwips,
                       int widthTwips, int heightTwips);

}  // namespace tarq::ui
