// The Win32 dialogs: tool windows at their place on the screen, following
// their layout tables, and every way of closing them enables the main
// window again.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "window_checks.h"

namespace tarq::testing {
namespace {

namespace fs = std::filesystem;

class Win32Dialogs : public Win32WindowTest {
 protected:
  void SetUp() override { game_ = OpenOnGame("Half Life", {"c1a0.bsp", "c2a1.bsp"}); }

  // The dialog on the screen; the test asserts it is there before use.
  FormOnScreen OpenComment(int row) {
    Model().cmbMapComment.SetListIndex(row);
    SendMessageW(Control("cmdComment"), BM_CLICK, 0, 0);
    DispatchPending();  // its first activation fills it
    return {ShownDialog(), &forms::kDlgCommentLayout};
  }
  FormOnScreen OpenFolders(const std::string& current) {
    EXPECT_TRUE(platform::ChangeFolder(current));
    SendMessageW(Control("cmdFldSelect"), BM_CLICK, 0, 0);
    DispatchPending();
    return {ShownDialog(), &forms::kDlgFldSelectLayout};
  }
  // The dialog is gone and the main window enabled and active again.
  void ExpectClosed() {
    DispatchPending();
    EXPECT_EQ(ShownDialog(), nullptr);
    EXPECT_EQ(Model().dlgComment(), nullptr);
    EXPECT_EQ(Model().dlgFldSelect(), nullptr);
    EXPECT_TRUE(IsWindowEnabled(Main()));
    EXPECT_TRUE(Model().Enabled());
    EXPECT_EQ(GetActiveWindow(), Main());
  }

  std::string game_;
};

void ExpectToolWindowAtItsPlace(HWND dialog, HWND main) {
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_STYLE));
  const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_EXSTYLE));
  EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);  // no taskbar button
  EXPECT_FALSE(exStyle & WS_EX_APPWINDOW);
  EXPECT_EQ(GetWindow(dialog, GW_OWNER), main);  // in front of it, found again with it
  EXPECT_EQ(GetAncestor(dialog, GA_PARENT), GetDesktopWindow());  // not a child window
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
  POINT origin{0, 0};
  ClientToScreen(dialog, &origin);
  EXPECT_EQ(origin.x, forms::TwipsToPixels(forms::kDialogLeftTwips));
  EXPECT_EQ(origin.y, forms::TwipsToPixels(forms::kDialogTopTwips));
  EXPECT_EQ(AccessibleOf(dialog).role, ROLE_SYSTEM_DIALOG);
}

TEST_F(Win32Dialogs, TheCommentDialogFollowsItsTableAndDisablesTheMainWindow) {
  const FormOnScreen dialog = OpenComment(1);
  ASSERT_NE(dialog.Handle(), nullptr);
  CheckLayout(dialog, forms::kDlgCommentLayout);
  ExpectToolWindowAtItsPlace(dialog.Handle(), Main());
  EXPECT_FALSE(IsWindowEnabled(Main()));
  EXPECT_EQ(GetFocus(), dialog.Find("cmdOK"));
  // labFile grew to the map's name from its top-left corner.
  EXPECT_EQ(Text(dialog.Find("labFile")), "c1a0.bsp");
  EXPECT_GT(ClientRect(dialog.Find("labFile")).right, forms::TwipsToPixels(240 + 90));
  std::vector<std::string> expected;
  for (const auto* c : forms::kDlgCommentLayout.TabOrder()) expected.emplace_back(c->name);
  expected.push_back(expected.front());
  EXPECT_EQ(FocusCycle(dialog, forms::kDlgCommentLayout, static_cast<int>(expected.size()) - 1),
            expected);
}

TEST_F(Win32Dialogs, TheCommentDialogShowsTheStoredMarkAndComment) {
  WriteBytes(dir_ / "tarqcom.dat", *platform::EncodeCp932("\"c2a1.bsp\",\"☆\",\"ボス & 鍵\"\r\n"));
  const FormOnScreen dialog = OpenComment(2);
  ASSERT_NE(dialog.Handle(), nullptr);
  EXPECT_EQ(SendMessageW(dialog.Find("cmbMark"), CB_GETCURSEL, 0, 0), 7);
  EXPECT_EQ(Text(dialog.Find("txtComment")), "ボス & 鍵");
  // Typing reaches the model.
  SetWindowTextW(dialog.Find("txtComment"), L"new");
  EXPECT_EQ(Model().dlgComment()->txtComment.Text(), "new");
}

TEST_F(Win32Dialogs, TheFolderDialogFollowsItsTableAndMirrorsTheFolderList) {
  fs::create_directories(fs::u8path(game_ + "\\R&D"));
  const FormOnScreen dialog = OpenFolders(game_);
  ASSERT_NE(dialog.Handle(), nullptr);
  CheckLayout(dialog, forms::kDlgFldSelectLayout);
  ExpectToolWindowAtItsPlace(dialog.Handle(), Main());
  EXPECT_EQ(GetFocus(), dialog.Find("cmdOK"));
  const auto& entries = Model().dlgFldSelect()->dirHL.Entries();
  const HWND list = dialog.Find("dirHL");
  ASSERT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), static_cast<LRESULT>(entries.size()));
  EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), Model().dlgFldSelect()->dirHL.ListIndex());
  const HWND drives = dialog.Find("drvHL");
  EXPECT_EQ(SendMessageW(drives, CB_GETCOUNT, 0, 0), Model().dlgFldSelect()->drvHL.ListCount());
  EXPECT_EQ(Text(drives), Model().dlgFldSelect()->drvHL.Text());
  std::vector<std::string> expected;
  for (const auto* c : forms::kDlgFldSelectLayout.TabOrder()) expected.emplace_back(c->name);
  expected.push_back(expected.front());
  EXPECT_EQ(FocusCycle(dialog, forms::kDlgFldSelectLayout, static_cast<int>(expected.size()) - 1),
            expected);
}

TEST_F(Win32Dialogs, AClickOrALetterHighlightsAFolderAndADoubleClickOrEnterOpensIt) {
  fs::create_directories(fs::u8path(game_ + "\\R&D\\inner"));
  const FormOnScreen dialog = OpenFolders(game_);
  ASSERT_NE(dialog.Handle(), nullptr);
  const HWND list = dialog.Find("dirHL");
  const auto& dirHL = Model().dlgFldSelect()->dirHL;
  int row = 0;
  while (row < static_cast<int>(dirHL.Entries().size()) &&
         dirHL.Entries()[static_cast<std::size_t>(row)].name != "R&D") {
    ++row;
  }
  ASSERT_LT(row, static_cast<int>(dirHL.Entries().size()));
  wchar_t text[MAX_PATH] = {};
  SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(text));
  EXPECT_EQ(Narrow(text), "R&D");  // the name alone: the indent is drawn
  RECT item{};
  SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  const LPARAM at = MAKELPARAM(item.left + 4, item.top + 2);
  SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(list, WM_LBUTTONUP, 0, at);
  EXPECT_EQ(dirHL.ListIndex(), row);
  EXPECT_EQ(dirHL.Path(), game_);
  SendMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  SendMessageW(list, WM_LBUTTONUP, 0, at);
  EXPECT_EQ(dirHL.Path(), game_ + "\\R&D");
  EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), static_cast<LRESULT>(dirHL.Entries().size()));
  // Enter opens the highlighted entry, here the folder above.
  SetFocus(list);
  SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(dirHL.ListIndex() - 1), 0);
  SendMessageW(dialog.Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE),
               reinterpret_cast<LPARAM>(list));
  PressKey(list, VK_RETURN);
  EXPECT_EQ(dirHL.Path(), game_);
  // A typed letter highlights the next folder of that first letter.
  TypeChar(list, L'v');
  EXPECT_EQ(dirHL.Entries()[static_cast<std::size_t>(dirHL.ListIndex())].name, "valve");
  EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), dirHL.ListIndex());
  // The indent is drawn: the subfolder's name starts right of the top row's.
  const auto pixels = Snapshot(list);
  RECT client{};
  GetClientRect(list, &client);
  auto firstInk = [&](LRESULT index) {
    SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    LONG x = item.right;
    for (LONG i = item.top * client.right; i < item.bottom * client.right; ++i) {
      if (pixels[static_cast<std::size_t>(i)] != Rgb(GetSysColor(COLOR_WINDOW))) {
        x = std::min(x, i % client.right);
      }
    }
    return x;
  };
  EXPECT_GT(firstInk(row), firstInk(SendMessageW(list, LB_GETTOPINDEX, 0, 0)));
  PressKey(list, VK_RETURN);
  EXPECT_EQ(dirHL.Path(), game_ + "\\valve");
}

TEST_F(Win32Dialogs, ADpiChangePutsEachWindowWhereTheSystemSuggests) {
  const FormOnScreen dialog = OpenComment(1);
  ASSERT_NE(dialog.Handle(), nullptr);
  constexpr int kDpi = 144;
  for (const FormOnScreen& window : {MainForm(), dialog}) {
    SCOPED_TRACE(window.layout->name);
    // The size the window asks for at the new DPI, where the system puts it.
    SIZE size{};
    ASSERT_TRUE(
        SendMessageW(window.Handle(), WM_GETDPISCALEDSIZE, kDpi, reinterpret_cast<LPARAM>(&size)));
    const RECT suggested{700, 50, 700 + size.cx, 50 + size.cy};
    SendMessageW(window.Handle(), WM_DPICHANGED, MAKEWPARAM(kDpi, kDpi),
                 reinterpret_cast<LPARAM>(&suggested));
    RECT now{}, client{};
    GetWindowRect(window.Handle(), &now);
    GetClientRect(window.Handle(), &client);
    EXPECT_EQ(Str(now), Str(suggested));
    // Wine draws the title bar at the system's DPI whatever the window's, so
    // only Windows gives the height too.
    EXPECT_EQ(client.right, forms::TwipsToPixels(window.layout->width, kDpi));
  }
}

TEST_F(Win32Dialogs, TheFolderDialogRefusesAFolderWithoutHlExe) {
  const std::string empty = dir_ / "empty";
  MakeFolders(empty);
  const FormOnScreen dialog = OpenFolders(empty);
  ASSERT_NE(dialog.Handle(), nullptr);
  MessageBoxWatch watch;
  SendMessageW(dialog.Find("cmdOK"), BM_CLICK, 0, 0);
  EXPECT_EQ(watch.Seen(),
            "TARQ|このフォルダにはhl.exeがありません。\r\nフォルダを再選択して下さい。|"
            "exclamation|1");
  EXPECT_NE(ShownDialog(), nullptr);
  EXPECT_FALSE(IsWindowEnabled(Main()));
  EXPECT_EQ(Model().labHL.Caption(), game_);
}

TEST_F(Win32Dialogs, ClosingTheMainWindowWhileADialogIsUpDoesNothing) {
  ASSERT_NE(OpenComment(1).Handle(), nullptr);
  SendMessageW(Main(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(IsWindow(Main()));
  EXPECT_NE(ShownDialog(), nullptr);
  EXPECT_EQ(ReadBytes(dir_ / "tarqcfg.dat"),
            *platform::EncodeCp932(game_) + "\r\n 0 \r\n 0 \r\n 0 \r\n");
}

TEST_F(Win32Dialogs, TheEndOfTheSessionClosesADialogAndWritesTheSettings) {
  ASSERT_NE(OpenComment(1).Handle(), nullptr);
  Model().cmbDiff.SetListIndex(1);
  SendMessageW(Main(), WM_ENDSESSION, TRUE, 0);
  EXPECT_EQ(ShownDialog(), nullptr);
  EXPECT_EQ(ReadBytes(dir_ / "tarqcfg.dat"),
            *platform::EncodeCp932(game_) + "\r\n 1 \r\n 0 \r\n 0 \r\n");
}

struct ClosePath {
  const char* name;
  bool comment;         // the comment dialog, else the folder dialog
  const char* control;  // the button pressed; nullptr for the close box
  const char* store;    // tarqcom.dat afterwards
};

class Win32DialogClosing : public Win32Dialogs, public ::testing::WithParamInterface<ClosePath> {};

TEST_P(Win32DialogClosing, EnablesTheMainWindowAgain) {
  const ClosePath& p = GetParam();
  WriteBytes(dir_ / "tarqcom.dat", "\"c1a0.bsp\",\"\x81\x9b\",\"old\"\r\n");
  const FormOnScreen dialog = p.comment ? OpenComment(1) : OpenFolders(game_);
  ASSERT_NE(dialog.Handle(), nullptr);
  EXPECT_FALSE(IsWindowEnabled(Main()));
  if (p.control != nullptr) {
    SendMessageW(dialog.Find(p.control), BM_CLICK, 0, 0);
  } else {
    SendMessageW(dialog.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
  }
  ExpectClosed();
  EXPECT_EQ(ReadBytes(dir_ / "tarqcom.dat"), p.store);
  EXPECT_EQ(Model().labHL.Caption(), game_);
}

const ClosePath kClosePaths[] = {
    {"CommentOk", true, "cmdOK", "\"c1a0.bsp\",\"\x81\x9b\",\"old\"\r\n"},
    {"CommentCancel", true, "cmdCansel", "\"c1a0.bsp\",\"\x81\x9b\",\"old\"\r\n"},
    {"CommentErase", true, "cmdDelete", ""},
    {"CommentCloseBox", true, nullptr, "\"c1a0.bsp\",\"\x81\x9b\",\"old\"\r\n"},
    {"FolderOk", false, "cmdOK", "\"c1a0.bsp\",\"\x81\x9b\",\"old\"\r\n"},
    {"FolderCancel", false, "cmdCancel", "\"c1a0.bsp\",\"\x81\x9b\",\"old\"\r\n"},
    {"FolderCloseBox", false, nullptr, "\"c1a0.bsp\",\"\x81\x9b\",\"old\"\r\n"},
};
INSTANTIATE_TEST_SUITE_P(EveryWay, Win32DialogClosing, ::testing::ValuesIn(kClosePaths),
                         [](const auto& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace tarq::testing
