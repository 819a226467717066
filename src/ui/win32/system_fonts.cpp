#include "ui/win32/system_fonts.h"

#include <algorithm>
#include <array>
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
// The Japanese UI faces of Windows, newest first.
constexpr std::array<std::wstring_view, 3> kUiFaces = {L"Yu Gothic UI", L"Meiryo UI",
                                                       L"MS UI Gothic"};

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

struct Face {
  std::wstring name;
  int rank;  // lower first
};

// The installed faces with the Japanese character set, without the
// vertical "@" ones, ranked by `rank(logfont, fontType)`.
template <typename Rank>
std::vector<std::wstring> JapaneseFaces(Rank rank) {
  std::vector<Face> faces;
  auto add = [&](const LOGFONTW& f, DWORD type) {
    const std::wstring name = f.lfFaceName;
    if (name.empty() || name[0] == L'@') return;
    if (std::none_of(faces.begin(), faces.end(), [&](const Face& g) { return g.name == name; })) {
      faces.push_back({name, rank(f, type)});
    }
  };
  using Add = decltype(add);
  LOGFONTW wanted{};
  wanted.lfCharSet = SHIFTJIS_CHARSET;
  const HDC dc = CreateCompatibleDC(nullptr);
  EnumFontFamiliesExW(
      dc, &wanted,
      [](const LOGFONTW* f, const TEXTMETRICW*, DWORD type, LPARAM to) -> int {
        (*reinterpret_cast<Add*>(to))(*f, type);
        return 1;
      },
      reinterpret_cast<LPARAM>(&add), 0);
  DeleteDC(dc);
  std::stable_sort(faces.begin(), faces.end(),
                   [](const Face& a, const Face& b) { return a.rank < b.rank; });
  std::vector<std::wstring> names;
  for (Face& f : faces) names.push_back(std::move(f.name));
  return names;
}

bool IsFixedPitch(const LOGFONTW& f) {
  return (f.lfPitchAndFamily & 0x3) == FIXED_PITCH;
}

}  // namespace

bool HasJapaneseGlyphs(const LOGFONTW& font) {
  return Selected(font).HasGlyphs(kJapanese);
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
  if (IsFixedPitchJapanese(font)) return font;
  // Faces that call themselves fixed pitch first; each is measured at the
  // size asked, since hinting can round widths apart at one size only.
  const auto rank = [](const LOGFONTW& f, DWORD type) {
    return (IsFixedPitch(f) ? 0 : 2) + ((type & TRUETYPE_FONTTYPE) != 0 ? 0 : 1);
  };
  LOGFONTW candidate = font;
  for (const std::wstring& name : JapaneseFaces(rank)) {
    SetFace(candidate, name);
    if (IsFixedPitchJapanese(candidate)) return candidate;
  }
  return font;  // none measures right: the mapper's choice
}

LOGFONTW JapaneseUiFont(LOGFONTW font) {
  if (HasJapaneseGlyphs(font)) return font;
  // The Windows UI faces in their order, then outline faces before bitmap
  // ones and proportional before fixed pitch.
  const auto rank = [](const LOGFONTW& f, DWORD type) {
    const auto ui = std::find(kUiFaces.begin(), kUiFaces.end(), std::wstring_view(f.lfFaceName));
    if (ui != kUiFaces.end()) return static_cast<int>(ui - kUiFaces.begin());
    return static_cast<int>(kUiFaces.size()) + ((type & TRUETYPE_FONTTYPE) != 0 ? 0 : 2) +
           (IsFixedPitch(f) ? 1 : 0);
  };
  LOGFONTW candidate = font;
  candidate.lfCharSet = SHIFTJIS_CHARSET;
  for (const std::wstring& name : JapaneseFaces(rank)) {
    SetFace(candidate, name);
    if (HasJapaneseGlyphs(candidate)) return candidate;
  }
  return font;
}

}  // namespace tarq::ui::win32
