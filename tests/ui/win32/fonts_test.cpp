// The Win32 look on Windows of any language: faces chosen by what they draw
// when the named ones are missing, Japanese comments legible in the comment
// box, and icons of every size at the window's DPI.

#include <gtest/gtest.h>

#include <set>

#include "ui/win32/look.h"
#include "ui/win32/system_fonts.h"
#include "window_checks.h"

namespace tarq::testing {
namespace {

using namespace ui::win32;

LOGFONTW Font(const wchar_t* face, BYTE charSet) {
  LOGFONTW f{};
  f.lfHeight = -12;
  f.lfCharSet = charSet;
  wcsncpy(f.lfFaceName, face, LF_FACESIZE - 1);
  return f;
}

// The test prefix maps "ＭＳ ゴシック" to a fixed-pitch face; the other rows
// are what a Windows without the Japanese supplemental fonts meets: the name
// missing, or a face that is proportional or has no Japanese.
TEST(Win32Fonts, TheMapListGetsAFixedPitchJapaneseFaceWhateverTheNamedOneIs) {
  for (const wchar_t* face : {L"ＭＳ ゴシック", L"TARQ No Such Face", L"Tahoma", L"IPAPGothic"}) {
    SCOPED_TRACE(Narrow(face));
    const LOGFONTW chosen = FixedPitchJapaneseFont(Font(face, SHIFTJIS_CHARSET));
    EXPECT_TRUE(IsFixedPitchJapanese(chosen)) << Narrow(chosen.lfFaceName);
  }
  EXPECT_FALSE(IsFixedPitchJapanese(Font(L"IPAPGothic", SHIFTJIS_CHARSET)));
  EXPECT_EQ(Narrow(FixedPitchJapaneseFont(Font(L"ＭＳ ゴシック", ANSI_CHARSET)).lfFaceName),
            forms::kGothic);
}

// ctest runs this again where Droid Sans Fallback and Noto Sans CJK are
// installed: like a Chinese or Korean Windows' message font they have kana
// and kanji, and enumerate with the Japanese character set under Wine.
TEST(Win32Fonts, TheWindowFontIsTheMessageFontOnlyWhenItIsAJapaneseFace) {
  struct Row {
    const wchar_t* face;
    bool kept;
  };
  for (const Row& row :
       {Row{L"Tahoma", false}, Row{L"TARQ No Such Face", false}, Row{L"Droid Sans Fallback", false},
        Row{L"Noto Sans CJK SC", false}, Row{L"IPAPGothic", true}}) {
    SCOPED_TRACE(Narrow(row.face));
    const LOGFONTW chosen = JapaneseUiFont(Font(row.face, DEFAULT_CHARSET));
    EXPECT_TRUE(IsJapaneseFace(chosen));
    EXPECT_EQ(std::wstring(chosen.lfFaceName) == row.face, row.kept) << Narrow(chosen.lfFaceName);
  }
}

class Win32Look : public Win32WindowTest {};

// ctest runs this again where more fonts are installed (scripts/test-fonts):
// Droid Sans Fallback, whose kanji take Chinese shapes, and Noto Sans CJK in
// its five languages. Whatever else there is, every control draws Japanese
// in a face made for it, and the map list in one that keeps its columns.
TEST_F(Win32Look, EveryControlDrawsJapaneseInAFaceMadeForIt) {
  OpenOnGame("Half Life", {"c1a0.bsp"});
  Model().cmbMapComment.SetListIndex(1);
  SendMessageW(Control("cmdComment"), BM_CLICK, 0, 0);
  DispatchPending();
  ASSERT_NE(ShownDialog(), nullptr);
  for (const FormOnScreen& window :
       {MainForm(), FormOnScreen{ShownDialog(), &forms::kDlgCommentLayout}}) {
    for (const forms::ControlLayout& c : window.layout->controls) {
      const HWND control = window.Find(c.name);
      if (control == nullptr) continue;  // never shown
      LOGFONTW f{};
      GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof f, &f);
      SCOPED_TRACE(std::string(c.name) + " in " + Narrow(f.lfFaceName));
      EXPECT_TRUE(IsJapaneseFace(f));
      if (c.font.family == forms::kGothic) {
        EXPECT_TRUE(IsFixedPitchJapanese(f));
      }
    }
  }
  // Drawn, not as boxes: two comments of as many characters look different.
  const HWND box = FormOnScreen{ShownDialog(), &forms::kDlgCommentLayout}.Find("txtComment");
  SetWindowTextW(box, L"事故の直前");
  const auto first = Snapshot(box);
  EXPECT_TRUE(HasInk(first, Rgb(GetSysColor(COLOR_WINDOW)), Rgb(GetSysColor(COLOR_WINDOWTEXT))));
  SetWindowTextW(box, L"訓練コース");
  EXPECT_NE(Snapshot(box), first);
}

// The icon resource's sizes, from its directory.
std::set<int> IconSizes() {
  const HRSRC found = FindResourceW(nullptr, L"IDI_ICON1", RT_GROUP_ICON);
  const auto* dir = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, found)));
  std::set<int> sizes;
  const int count = dir[4] | (dir[5] << 8);
  for (int i = 0; i < count; ++i) sizes.insert(dir[6 + 14 * i] == 0 ? 256 : dir[6 + 14 * i]);
  return sizes;
}

int Width(HICON icon) {
  ICONINFO info{};
  if (icon == nullptr || !GetIconInfo(icon, &info)) return 0;
  BITMAP b{};
  GetObjectW(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof b, &b);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  return b.bmWidth;
}

TEST_F(Win32Look, TheWindowsIconsFollowItsDpiFromImagesOfEverySize) {
  EXPECT_EQ(IconSizes(), (std::set<int>{16, 20, 24, 32, 40, 48, 64, 256}));
  Open();
  struct Row {
    int dpi, big, little;
  };
  for (const Row& row : {Row{144, 48, 24}, Row{192, 64, 32}, Row{96, 32, 16}}) {
    SCOPED_TRACE(row.dpi);
    RECT suggested{0, 0, 800, 600};
    SendMessageW(Main(), WM_DPICHANGED, MAKEWPARAM(row.dpi, row.dpi),
                 reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(Width(reinterpret_cast<HICON>(SendMessageW(Main(), WM_GETICON, ICON_BIG, 0))),
              row.big);
    EXPECT_EQ(Width(reinterpret_cast<HICON>(SendMessageW(Main(), WM_GETICON, ICON_SMALL, 0))),
              row.little);
  }
}

}  // namespace
}  // namespace tarq::testing
