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

QFont NamedFont(const QString& family, int pointSize, bool bold = false, bool italic = false);

QIcon AppIcon();

// The style of the drop-down lists: the row list drops below the box, as on
// Windows, instead of opening over it. Sizing such a popup looks at the
// visible rows only, so a list of 32768 maps opens at once.
QStyle* DropDownStyle();

// A black window of a fixed client size.
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
