#pragma once
// The platform's fonts for Japanese text: the family the font configuration
// names for Japanese sans-serif text, looked up once, when the first window
// asks for it.

#include <QString>

namespace tarq::ui::qt {

// The family the platform prefers for Japanese user-interface text, or an
// empty string where the font configuration names none.
QString JapaneseUiFamily();

}  // namespace tarq::ui::qt
