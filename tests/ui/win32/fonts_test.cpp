// The Win32 look on Windows of any language: faces chosen by what they draw
// when the named ones are missing, and Japanese comments legible in the
// comment box.

#include <gtest/gtest.h>

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
  EXPECT_EQ(Narrow(FixedPitchJapaneseFont(Font(L"ＭＳ ゴシック", ANSI_CHARSET)).lfFaceName), forms::kGothic);
}

TEST(Win32Fonts, TheWindowFontIsTheMessageFontOnlyWhenItDrawsJapanese) {
  struct Row {
    const wchar_t* face;
    bool kept;
  };
  for (const Row& row :
       {Row{L"Tahoma", false}, Row{L"TARQ No Such Face", false}, Row{L"IPAPGothic", true}}) {
    SCOPED_TRACE(Narrow(row.face));
    const LOGFONTW chosen = JapaneseUiFont(Font(row.face, DEFAULT_CHARSET));
    EXPECT_TRUE(HasJapaneseGlyphs(chosen));
    EXPECT_EQ(std::wstring(chosen.lfFaceName) == row.face, row.kept) << Narrow(chosen.lfFaceName);
  }
}

class Win32CommentBox : public Win32WindowTest {};

TEST_F(Win32CommentBox, TwoJapaneseCommentsLookDifferent) {
  OpenOnGame("Half Life", {"c1a0.bsp"});
  Model().cmbMapComment.SetListIndex(1);
  SendMessageW(Control("cmdComment"), BM_CLICK, 0, 0);
  ui::win32::DispatchPending();
  ASSERT_NE(window_->ShownDialog(), nullptr);
  const HWND box = window_->ShownDialog()->Find("txtComment");
  SetWindowTextW(box, L"事故の直前");
  const auto first = Snapshot(box);
  SetWindowTextW(box, L"訓練コース");
  EXPECT_NE(Snapshot(box), first);
}

}  // namespace
}  // namespace tarq::testing
