#pragma once
// Which installed faces draw the launcher's Japanese text on Windows of any
// language. A face is judged by what GDI gives for it, not by its name: the
// font mapper quietly replaces a missing face with another.
//
//   a named fixed-pitch face ──> kept when it is made for Japanese and
//       full-width characters measure exactly two half-width ones, else the
//       first installed Japanese face that does (EnumFontFamiliesExW,
//       SHIFTJIS_CHARSET), faces made for Japanese first
//   any other font ──> kept when its face is installed with the Japanese
//       character set and made for Japanese or one of Windows' own Japanese
//       UI faces, else "Yu Gothic UI", "Meiryo UI", "MS UI Gothic" and the
//       other Windows faces, then any Japanese face, faces made for Japanese
//       first
//
// A face is made for Japanese when it also names itself in Japanese: a
// Chinese or pan-CJK face (Microsoft YaHei, Droid Sans Fallback, Noto Sans
// CJK SC) may have kana and the Japanese character set too, but draws kanji
// in Chinese shapes.

#include <windows.h>

namespace tarq::ui::win32 {

// True when the face `font` selects has glyphs for kana and kanji.
bool HasJapaneseGlyphs(const LOGFONTW& font);

// True when the face `font` selects has kana and kanji glyphs and a name in
// Japanese.
bool IsJapaneseFace(const LOGFONTW& font);

// True when the face `font` selects draws Japanese text on a grid: every
// half-width character one cell wide, every full-width one exactly two.
bool IsFixedPitchJapanese(const LOGFONTW& font);

// `font` asking for a fixed-pitch Japanese face, its face name replaced by
// an installed one when the face it names is not one, or not made for
// Japanese.
LOGFONTW FixedPitchJapaneseFont(LOGFONTW font);

// `font`, its face name replaced by an installed Japanese UI face when the
// face it names is not one: a Chinese or Korean Windows' message font
// (Microsoft YaHei UI, Malgun Gothic) has kana and kanji, but is not.
LOGFONTW JapaneseUiFont(LOGFONTW font);

}  // namespace tarq::ui::win32
