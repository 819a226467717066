#include "ui/win32/system_fonts.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarq::ui::win32 {
namespace {

// Hiragana, katakana and kanji: a face that has these has the rest.
constexpr std::wstring_view kJapanese = L"あア漢字";
// Cells of the map list: ASCII and half-width katakana take one, kana and
// kanji two.
constexpr std::wstring_view kHalfWidth = L"iW_ｱ";
constexpr std::wstring_view kFullWidth = L"あ漢ー";
// Windows' own Japanese faces of its interface, in the order they are
// taken: a message font of one of them is a Japanese user's choice, even
// where the face does not name itself in Japanese.
constexpr std::array<std::wstring_view, 7> kUiFaces = {
    L"Yu Gothic UI", L"Meiryo UI",       L"MS UI Gothic", L"Yu Gothic",
    L"Meiryo",       L"ＭＳ Ｐゴシック", L"MS PGothic"};

// A font selected into a memory DC, to measure what the mapper gave.
class Selected final {
 public:
  explicit Selected(const LOGFONTW& font)
      : dc_(CreateCompatibleDC(nullptr)),
        font_(CreateFontIndirectW(&font)),
        previous_(SelectObject(dc_, font_)) {}
  ~Selected() {
    SelectObject(dc_, previous_);
    DeleteObject(font_);
    DeleteDC(dc_);
  }
  Selected(const Selected&) = delete;
  Selected& operator=(const Selected&) = delete;

  bool HasGlyphs(std::wstring_view text) const {
    std::array<WORD, 8> glyphs{};
    const int n = static_cast<int>(text.size());
    return GetGlyphIndicesW(dc_, text.data(), n, glyphs.data(), GGI_MARK_NONEXISTING_GLYPHS) ==
               static_cast<DWORD>(n) &&
           std::find(glyphs.begin(), glyphs.begin() + n, WORD{0xFFFF}) == glyphs.begin() + n;
  }
  // True when the face's name table has a name in Japanese: the faces made
  // for Japanese carry one, pan-CJK faces whose kanji take Chinese shapes
  // (Droid Sans Fallback, Noto Sans CJK SC) do not.
  bool NamesItselfInJapanese() const {
    constexpr DWORD kName = 0x656D616E;  // "name", as GetFontData reads the tag
    const DWORD size = GetFontData(dc_, kName, 0, nullptr, 0);
    if (size == GDI_ERROR || size < 6) return false;
    std::vector<unsigned char> table(size);
    if (GetFontData(dc_, kName, 0, table.data(), size) != size) return false;
    const auto word = [&](std::size_t at) {
      return at + 2 <= table.size() ? (table[at] << 8) | table[at + 1] : -1;
    };
    // Name records of 12 bytes from offset 6: platform, encoding, language.
    for (std::size_t i = 0, n = static_cast<std::size_t>(word(2)); i < n; ++i) {
      const std::size_t record = 6 + 12 * i;
      const int platform = word(record);
      const int language = word(record + 4);
      if ((platform == 3 && language == 0x0411) || (platform == 1 && language == 11)) return true;
    }
    return false;
  }
  int Width(wchar_t c) const {
    SIZE size{};
    return GetTextExtentPoint32W(dc_, &c, 1, &size) ? size.cx : 0;
  }

 private:
  HDC dc_;
  HFONT font_;
  HGDIOBJ previous_;
};

void SetFace(LOGFONTW& font, std::wstring_view face) {
  const std::size_t n = face.copy(font.lfFaceName, LF_FACESIZE - 1);
  font.lfFaceName[n] = L'\0';
}

// Calls `visit(logfont, fontType)` for each installed face of the Japanese
// character set named `face` (all of them when it is empty) while it
// returns true.
template <typename Visit>
void EnumJapaneseFaces(std::wstring_view face, Visit visit) {
  LOGFONTW wanted{};
  wanted.lfCharSet = SHIFTJIS_CHARSET;
  SetFace(wanted, face);
  const HDC dc = CreateCompatibleDC(nullptr);
  EnumFontFamiliesExW(
      dc, &wanted,
      [](const LOGFONTW* f, const TEXTMETRICW*, DWORD type, LPARAM to) -> int {
        return (*reinterpret_cast<Visit*>(to))(*f, type) ? 1 : 0;
      },
      reinterpret_cast<LPARAM>(&visit), 0);
  DeleteDC(dc);
}

bool NamesItselfInJapanese(const LOGFONTW& font) {
  return Selected(font).NamesItselfInJapanese();
}

// An installed face with the Japanese character set and its place in an
// order. Its place may hang on whether it names itself in Japanese, which
// only loading the face tells.
struct Face {
  LOGFONTW font;
  int ifJapaneseName;  // its place when it names itself in Japanese
  int otherwise;       // and when it does not
  bool Known() const { return ifJapaneseName == otherwise; }
};

// `candidate` with the face name of the first installed face with the
// Japanese character set (the vertical "@" ones left out) that `accept`
// takes, faces in the order of `rank(logfont, fontType, namesItselfInJapanese)`
// (lower first, then as installed); nullopt when it takes none. A face is
// loaded only when its turn comes: loading every installed face first
// costs Windows with many Japanese fonts tens of milliseconds at start-up.
template <typename Rank, typename Accept>
std::optional<LOGFONTW> FirstJapaneseFace(const LOGFONTW& candidate, Rank rank, Accept accept) {
  std::vector<Face> faces;
  EnumJapaneseFaces({}, [&](const LOGFONTW& f, DWORD type) {
    const std::wstring_view name = f.lfFaceName;
    if (name.empty() || name[0] == L'@') return true;
    if (std::none_of(faces.begin(), faces.end(),
                     [&](const Face& g) { return name == g.font.lfFaceName; })) {
      LOGFONTW font = candidate;
      SetFace(font, name);
      faces.push_back({font, rank(f, type, true), rank(f, type, false)});
    }
    return true;
  });
  int last = 0;
  for (const Face& f : faces) last = std::max({last, f.ifJapaneseName, f.otherwise});
  for (int place = 0; place <= last; ++place) {
    for (Face& f : faces) {
      if (!f.Known() && f.ifJapaneseName == place) {
        f.ifJapaneseName = f.otherwise =
            NamesItselfInJapanese(f.font) ? f.ifJapaneseName : f.otherwise;
      }
      if (f.Known() && f.ifJapaneseName == place && accept(f.font)) return f.font;
    }
  }
  return std::nullopt;
}

bool IsFixedPitch(const LOGFONTW& f) {
  return (f.lfPitchAndFamily & 0x3) == FIXED_PITCH;
}

// True when the face `font` names is installed with the Japanese character
// set: Microsoft YaHei UI and Malgun Gothic have kana and kanji, but not it.
bool IsInstalledAsJapanese(const LOGFONTW& font) {
  bool found = false;
  if (font.lfFaceName[0] != L'\0') {
    EnumJapaneseFaces(font.lfFaceName, [&](const LOGFONTW&, DWORD) {
      found = true;
      return false;
    });
  }
  return found;
}

// True when the face `font` names is installed with the Japanese character
// set, and made for Japanese or one of Windows' own Japanese UI faces.
bool IsJapaneseUiFace(const LOGFONTW& font) {
  const std::wstring_view name = font.lfFaceName;
  return IsInstalledAsJapanese(font) &&
         (std::find(kUiFaces.begin(), kUiFaces.end(), name) != kUiFaces.end() ||
          IsJapaneseFace(font));
}

}  // namespace

bool HasJapaneseGlyphs(const LOGFONTW& font) {
  return Selected(font).HasGlyphs(kJapanese);
}

bool IsJapaneseFace(const LOGFONTW& font) {
  const Selected s(font);
  return s.HasGlyphs(kJapanese) && s.NamesItselfInJapanese();
}

bool IsFixedPitchJapanese(const LOGFONTW& font) {
  const Selected s(font);
  const int half = s.Width(kHalfWidth[0]);
  return half > 0 && s.HasGlyphs(kJapanese) && s.HasGlyphs(kHalfWidth) &&
         std::all_of(kHalfWidth.begin(), kHalfWidth.end(),
                     [&](wchar_t c) { return s.Width(c) == half; }) &&
         std::all_of(kFullWidth.begin(), kFullWidth.end(),
                     [&](wchar_t c) { return s.Width(c) == 2 * half; });
}

LOGFONTW FixedPitchJapaneseFont(LOGFONTW font) {
  font.lfCharSet = SHIFTJIS_CHARSET;
  font.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
  if (IsFixedPitchJapanese(font) && NamesItselfInJapanese(font)) return font;
  // Faces that call themselves fixed pitch first, Japanese ones before
  // pan-CJK ones; each is measured at the size asked, since hinting can
  // round widths apart at one size only.
  const auto rank = [](const LOGFONTW& f, DWORD type, bool japaneseName) {
    return (IsFixedPitch(f) ? 0 : 4) + (japaneseName ? 0 : 2) +
           ((type & TRUETYPE_FONTTYPE) != 0 ? 0 : 1);
  };
  if (const auto face = FirstJapaneseFace(font, rank, IsFixedPitchJapanese)) return *face;
  return font;  // none measures right: the mapper's choice
}

LOGFONTW JapaneseUiFont(LOGFONTW font) {
  if (IsJapaneseUiFace(font)) return font;
  // The Windows UI faces in their order, then faces made for Japanese before
  // pan-CJK ones, outline faces before bitmap ones and proportional before
  // fixed pitch. A pan-CJK face still draws Japanese where it is all there is.
  const auto rank = [](const LOGFONTW& f, DWORD type, bool japaneseName) {
    const auto ui = std::find(kUiFaces.begin(), kUiFaces.end(), std::wstring_view(f.lfFaceName));
    if (ui != kUiFaces.end()) return static_cast<int>(ui - kUiFaces.begin());
    return static_cast<int>(kUiFaces.size()) + (japaneseName ? 0 : 4) +
           ((type & TRUETYPE_FONTTYPE) != 0 ? 0 : 2) + (IsFixedPitch(f) ? 1 : 0);
  };
  LOGFONTW candidate = font;
  candidate.lfCharSet = SHIFTJIS_CHARSET;
  if (const auto face = FirstJapaneseFace(candidate, rank, HasJapaneseGlyphs)) return *face;
  return font;
}

}  // namespace tarq::ui::win32
