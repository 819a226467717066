#pragma once
// Which installed faces draw the launcher's Japanese text on Windows of any
// language. A face is judged by what GDI gives for it, not by its name: the
// font mapper quietly replaces a missing face with another.
//
//   a named fixed-pitch face ──> kept when full-width characters measure
//       exactly two half-width ones, else the first installed Japanese face
//       that does (EnumFontFamiliesExW, SHIFTJIS_CHARSET)
//   any other font ──> kept when it has kana and kanji glyphs, else "Yu
//       Gothic UI", "Meiryo UI", "MS UI Gothic", then any Japanese face

#include <windows.h>

namespace tarq::ui::win32 {

// True when the face `font` selects has glyphs for kana and kanji.
bool HasJapaneseGlyphs(const LOGFONTW& font);

// True when the face `font` selects draws Japanese text on a grid: every
// half-width character one cell wide, every full-width one exactly two.
bool IsFixedPitchJapanese(const LOGFONTW& font);

// `font` asking for a fixed-pitch Japanese face, its face name replaced by
// an installed one that is when the face it names is not.
LOGFONTW FixedPitchJapaneseFont(LOGFONTW font);

// `font`, its face name replaced by an installed Japanese UI face when the
// face it names has no Japanese glyphs.
LOGFONTW JapaneseUiFont(LOGFONTW font);

}  // namespace tarq::ui::win32
