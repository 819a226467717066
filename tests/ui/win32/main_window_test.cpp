// The Win32 main window: its controls, layout and look, and that the real
// notifications of its controls reach the form model.

#include <gtest/gtest.h>

#include <filesystem>
#include <utility>

#include "core/version.h"
#include "ui/win32/system_fonts.h"
#include "window_checks.h"

namespace tarq::testing {
namespace {

namespace fs = std::filesystem;
using forms::kFrmMainLayout;

class Win32MainWindow : public Win32WindowTest {
 protected:
  void SetUp() override { Open(); }
};

TEST_F(Win32MainWindow, FollowsItsLayoutTable) {
  CheckLayout(MainForm(), kFrmMainLayout);
  EXPECT_EQ(Text(Main()), core::kProgramTitle);
}

TEST_F(Win32MainWindow, HasAFixedFrameWithMinimiseAndATaskbarButton) {
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(Main(), GWL_STYLE));
  const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(Main(), GWL_EXSTYLE));
  EXPECT_TRUE(style & WS_CAPTION);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_FALSE(exStyle & WS_EX_TOOLWINDOW);
  EXPECT_EQ(GetWindow(Main(), GW_OWNER), nullptr);
  LOGBRUSH background{};
  GetObjectW(reinterpret_cast<HBRUSH>(GetClassLongPtrW(Main(), GCLP_HBRBACKGROUND)),
             sizeof background, &background);
  EXPECT_EQ(background.lbStyle, static_cast<UINT>(BS_SOLID));
  EXPECT_EQ(background.lbColor, RGB(0, 0, 0));  // black
  EXPECT_NE(GetClassLongPtrW(Main(), GCLP_HICON), 0);
}

TEST_F(Win32MainWindow, CaptionLabelsAreYellowOnBlackAndValueLabelsButtonFace) {
  const auto caption = Snapshot(Control("Label2"));
  EXPECT_EQ(caption.front(), 0x000000u);
  EXPECT_TRUE(HasInk(caption, 0x000000u, 0xFFFF00u));
  Model().labHL.SetCaption("C:\\Games");
  const auto value = Snapshot(Control("labHL"));
  const int width = ClientRect(Control("labHL")).right - ClientRect(Control("labHL")).left;
  // Inside the single border, the button face.
  EXPECT_EQ(value[static_cast<std::size_t>(width) - 3], Rgb(GetSysColor(COLOR_BTNFACE)));
  EXPECT_TRUE(HasInk(value, Rgb(GetSysColor(COLOR_BTNFACE)), Rgb(GetSysColor(COLOR_BTNTEXT))));
  EXPECT_TRUE(GetWindowLongPtrW(Control("labHL"), GWL_STYLE) & WS_BORDER);
}

// Where this program's calls of SystemParametersInfoW go: its import.
extern "C" decltype(&SystemParametersInfoW) __imp_SystemParametersInfoW;

// High contrast on for its life, as the user sets it, and off again. Wine
// cannot set it (SPI_SETHIGHCONTRAST fails there): this program's calls are
// then told it is on, and its window that the setting changed.
class HighContrastOn final {
 public:
  explicit HighContrastOn(HWND window) : window_(window) {
    SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof saved_, &saved_, 0);
    HIGHCONTRASTW on = saved_;
    on.dwFlags |= HCF_HIGHCONTRASTON;
    if (!SystemParametersInfoW(SPI_SETHIGHCONTRAST, sizeof on, &on, SPIF_SENDCHANGE)) {
      system_ = Import(&ReportOn);
    }
  }
  ~HighContrastOn() {
    if (system_ != nullptr) {
      Import(std::exchange(system_, nullptr));
    } else {
      SystemParametersInfoW(SPI_SETHIGHCONTRAST, sizeof saved_, &saved_, SPIF_SENDCHANGE);
    }
  }
  HighContrastOn(const HighContrastOn&) = delete;
  HighContrastOn& operator=(const HighContrastOn&) = delete;

 private:
  using Spi = decltype(&SystemParametersInfoW);
  static BOOL WINAPI ReportOn(UINT action, UINT param, void* data, UINT flags) {
    if (action != SPI_GETHIGHCONTRAST) return system_(action, param, data, flags);
    static_cast<HIGHCONTRASTW*>(data)->dwFlags = HCF_AVAILABLE | HCF_HIGHCONTRASTON;
    return TRUE;
  }
  // Points the import at `to`; returns where it pointed.
  Spi Import(Spi to) {
    DWORD protection = 0;
    VirtualProtect(&__imp_SystemParametersInfoW, sizeof to, PAGE_READWRITE, &protection);
    const Spi was = std::exchange(__imp_SystemParametersInfoW, to);
    VirtualProtect(&__imp_SystemParametersInfoW, sizeof to, protection, &protection);
    SendMessageW(window_, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    return was;
  }

  static inline Spi system_ = nullptr;  // the real call, while the import is redirected
  HWND window_;
  HIGHCONTRASTW saved_{sizeof saved_, 0, nullptr};
};

TEST_F(Win32MainWindow, HighContrastShowsTheSystemsWindowColours) {
  const HighContrastOn contrast(Main());
  DispatchPending();
  const auto caption = Snapshot(Control("Label2"));
  EXPECT_EQ(caption.front(), Rgb(GetSysColor(COLOR_WINDOW)));
  EXPECT_TRUE(HasInk(caption, Rgb(GetSysColor(COLOR_WINDOW)), Rgb(GetSysColor(COLOR_WINDOWTEXT))));
  EXPECT_FALSE(HasInk(caption, Rgb(GetSysColor(COLOR_WINDOW)), 0xFFFF00u));
}

TEST_F(Win32MainWindow, AnAmpersandInAFolderNameShowsAsItself) {
  for (const auto& c : kFrmMainLayout.controls) {
    if (c.kind != forms::ControlKind::kCaptionLabel && c.kind != forms::ControlKind::kValueLabel) {
      continue;
    }
    EXPECT_TRUE(GetWindowLongPtrW(Control(c.name), GWL_STYLE) & SS_NOPREFIX) << c.name;
  }
  // With prefixes "&&" would draw as "&", the same as the second folder.
  Model().labHL.SetCaption("C:\\R&&D");
  EXPECT_EQ(Text(Control("labHL")), "C:\\R&&D");
  const auto doubled = Snapshot(Control("labHL"));
  Model().labHL.SetCaption("C:\\R&D");
  EXPECT_EQ(Text(Control("labValve")), "C:\\R&D\\valve");
  EXPECT_NE(Snapshot(Control("labHL")), doubled);
}

LOGFONTW FontOf(HWND control) {
  LOGFONTW f{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof f, &f);
  return f;
}

TEST_F(Win32MainWindow, NamedFontsAreJapaneseAndTheRestUseTheMessageFont) {
  auto font = [this](std::string_view name) { return FontOf(Control(name)); };
  const LOGFONTW list = font("cmbMapComment");
  EXPECT_EQ(Narrow(list.lfFaceName), forms::kGothic);
  EXPECT_EQ(list.lfCharSet, SHIFTJIS_CHARSET);
  EXPECT_EQ(list.lfHeight, -12);  // 9 points at 96 DPI
  const LOGFONTW banner = font("Label1");
  EXPECT_EQ(Narrow(banner.lfFaceName), forms::kPGothic);
  EXPECT_EQ(banner.lfHeight, -24);
  EXPECT_EQ(banner.lfWeight, FW_BOLD);
  EXPECT_TRUE(banner.lfItalic);
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  // Wine's message font has no Japanese: the window font is then a Japanese UI face.
  const LOGFONTW window = ui::win32::JapaneseUiFont(metrics.lfMessageFont);
  for (const char* name : {"Label2", "labHL", "cmdStart", "cmbDiff"}) {
    EXPECT_EQ(Narrow(font(name).lfFaceName), Narrow(window.lfFaceName)) << name;
  }
}

// The text size the user chose, for its life, as Windows sets it: the
// registry value, the message font grown by it, and the window told that a
// setting changed, without saying which.
class TextSize final {
 public:
  TextSize(HWND window, int percent) : window_(window) {
    saved_.cbSize = sizeof saved_;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof saved_, &saved_, 0);
    NONCLIENTMETRICSW grown = saved_;
    grown.lfMessageFont.lfHeight = MulDiv(saved_.lfMessageFont.lfHeight, percent, 100);
    const auto value = static_cast<DWORD>(percent);
    RegSetKeyValueW(HKEY_CURRENT_USER, kKey, kValue, REG_DWORD, &value, sizeof value);
    Set(grown);
  }
  ~TextSize() {
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kKey, kValue);
    Set(saved_);
  }

 private:
  static constexpr const wchar_t* kKey = L"Software\\Microsoft\\Accessibility";
  static constexpr const wchar_t* kValue = L"TextScaleFactor";
  void Set(NONCLIENTMETRICSW& metrics) {
    SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    SendMessageW(window_, WM_SETTINGCHANGE, 0, 0);
  }

  HWND window_;
  NONCLIENTMETRICSW saved_{};
};

TEST_F(Win32MainWindow, LargerTextGrowsTheLayoutAsADpiStepWouldAndNothingClips) {
  const LONG message = FontOf(Control("Label2")).lfHeight;
  {
    // The largest setting that leaves Wine's screen room for the window.
    const TextSize larger(Main(), 175);
    CheckLayout(MainForm(), kFrmMainLayout, 168);
    // The message font grew once, by the system; the named ones by the layout.
    EXPECT_EQ(FontOf(Control("Label2")).lfHeight, MulDiv(message, 175, 100));
    EXPECT_EQ(FontOf(Control("cmbMapComment")).lfHeight, -21);  // 9 points at 168 DPI
    for (const forms::ControlLayout& c : kFrmMainLayout.controls) {
      const HWND control = Control(c.name);
      if (control == nullptr || c.kind > forms::ControlKind::kButton) continue;  // labels, buttons
      const std::wstring text = Wide(Text(control));
      const HDC dc = GetDC(control);
      SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
      SIZE needed{};
      GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &needed);
      ReleaseDC(control, dc);
      RECT client{};
      GetClientRect(control, &client);
      EXPECT_TRUE(needed.cx <= client.right && needed.cy <= client.bottom) << c.name;
    }
  }
  CheckLayout(MainForm(), kFrmMainLayout);
  EXPECT_EQ(FontOf(Control("Label2")).lfHeight, message);
}

TEST_F(Win32MainWindow, ListsHoldTheModelsRows) {
  const HWND memory = Control("cmbMemory");
  ASSERT_EQ(SendMessageW(memory, CB_GETCOUNT, 0, 0), 5);
  wchar_t row[64] = {};
  SendMessageW(memory, CB_GETLBTEXT, 4, reinterpret_cast<LPARAM>(row));
  EXPECT_EQ(Narrow(row), "128MB");
  EXPECT_EQ(SendMessageW(memory, CB_GETITEMDATA, 2, 0), 32000);
  EXPECT_EQ(SendMessageW(memory, CB_GETCURSEL, 0, 0), 0);
  for (const char* name : {"cmbDiff", "cmbMemory", "cmbConsole", "cmbMapComment"}) {
    const auto style = GetWindowLongPtrW(Control(name), GWL_STYLE);
    EXPECT_EQ(style & 3, CBS_DROPDOWNLIST) << name;  // pick only, no typing
    EXPECT_TRUE(style & CBS_HASSTRINGS) << name;
    // Twelve rows dropped down, as the height given at creation holds.
    EXPECT_EQ(SendMessageW(Control(name), CB_GETMINVISIBLE, 0, 0), 12) << name;
  }
  const HWND maps = Control("cmbMapComment");
  EXPECT_EQ(SendMessageW(maps, CB_GETCOUNT, 0, 0), Model().cmbMapComment.ListCount());
}

TEST_F(Win32MainWindow, TabVisitsTheControlsInOrderFromTheFolderButton) {
  std::vector<std::string> expected;
  for (const auto* c : kFrmMainLayout.TabOrder()) {
    if (c->enabled) expected.emplace_back(c->name);
  }
  expected.push_back(expected.front());
  EXPECT_EQ(expected.front(), kFrmMainLayout.FirstFocus()->name);
  EXPECT_EQ(FocusCycle(MainForm(), kFrmMainLayout, static_cast<int>(expected.size()) - 1),
            expected);
}

TEST_F(Win32MainWindow, AKeyboardPickRecomposesTheCommandLine) {
  SetFocus(Control("cmbDiff"));
  PressKey(Control("cmbDiff"), VK_DOWN);  // the list reports CBN_SELCHANGE
  PressKey(Control("cmbDiff"), VK_DOWN);
  EXPECT_EQ(Model().cmbDiff.ListIndex(), 2);
  EXPECT_EQ(Text(Control("labCommand")), " +skill \"2\"");
  Model().cmbMemory.SetListIndex(1);
  EXPECT_EQ(SendMessageW(Control("cmbMemory"), CB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(Text(Control("labCommand")), " +skill \"2\" -heapsize 16000");
}

TEST_F(Win32MainWindow, EnterActsOnlyOnTheFocusedButtonAndEscOnNone) {
  {
    MessageBoxWatch watch;
    SetFocus(Control("cmdComment"));  // row 0 is selected: no comment here
    PressKey(Control("cmdComment"), VK_RETURN);
    EXPECT_EQ(watch.Seen(), "TARQ|ここにコメントは付けられません|exclamation|1");
  }
  MessageBoxWatch none;
  SetFocus(Control("cmbDiff"));
  PressKey(Control("cmbDiff"), VK_RETURN);
  SetFocus(Control("cmdStart"));
  PressKey(Control("cmdStart"), VK_ESCAPE);
  EXPECT_EQ(none.SeenNow(), "");
  EXPECT_TRUE(IsWindow(Main()));
}

TEST_F(Win32MainWindow, AClickThatWineReportsFromADisabledButtonIsIgnored) {
  MessageBoxWatch none;
  EnableWindow(Control("cmdStart"), FALSE);
  SendMessageW(Control("cmdStart"), BM_CLICK, 0, 0);  // no game: would warn
  EXPECT_EQ(none.SeenNow(), "");
}

TEST_F(Win32MainWindow, StartWithoutAGameShowsTheWarning) {
  MessageBoxWatch watch;
  SendMessageW(Control("cmdStart"), BM_CLICK, 0, 0);
  EXPECT_EQ(watch.Seen(), "TARQ|ゲームが実行できません。\r\n設定し直して下さい。|exclamation|1");
}

TEST_F(Win32MainWindow, AGameFolderOnADriveThatIsGoneShowsTheWarning) {
  const DWORD drives = GetLogicalDrives();
  char letter = 'Z';
  while (letter > 'D' && (drives & (1u << (letter - 'A'))) != 0) --letter;
  ASSERT_EQ(drives & (1u << (letter - 'A')), 0u);
  Model().labHL.SetCaption(std::string(1, letter) + ":\\Games\\Half-Life");
  MessageBoxWatch watch;
  SendMessageW(Control("cmdStart"), BM_CLICK, 0, 0);
  EXPECT_EQ(watch.Seen(), "TARQ|ゲームが実行できません。\r\n設定し直して下さい。|exclamation|1");
}

TEST_F(Win32MainWindow, StartTwiceStartsTheGameTwice) {
  const std::string game = dir_ / "Half Life ゲーム";
  fs::create_directories(fs::u8path(game));
  fs::copy_file(fs::u8path(TARQ_STANDIN_EXE), fs::u8path(platform::JoinPath(game, "hl.exe")));
  Model().labHL.SetCaption(game);
  const std::string record = platform::JoinPath(game, "hl.exe.record");
  for (int i = 0; i < 2; ++i) {
    SendMessageW(Control("cmdStart"), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitForFile(record)) << "start " << i + 1;
    EXPECT_EQ(ReadBytes(record), "\"" + game + "\\hl.exe\"\n" + game + "\n");
    fs::remove(fs::u8path(record));
  }
}

TEST_F(Win32MainWindow, ClosingWritesTheSettingsAndEndsTheWindow) {
  Model().cmbDiff.SetListIndex(3);
  const HWND main = Main();
  SendMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_FALSE(IsWindow(main));
  EXPECT_EQ(Main(), nullptr);  // no handle kept that a new window may get
  EXPECT_EQ(ReadBytes(dir_ / "tarqcfg.dat"), "\r\n 3 \r\n 0 \r\n 0 \r\n");
}

TEST_F(Win32MainWindow, TheEndOfTheSessionWritesTheSettings) {
  Model().cmbConsole.SetListIndex(2);
  EXPECT_EQ(SendMessageW(Main(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
  SendMessageW(Main(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
  EXPECT_EQ(ReadBytes(dir_ / "tarqcfg.dat"), "\r\n 0 \r\n 0 \r\n 2 \r\n");
}

TEST_F(Win32MainWindow, ARestartManagerCloseWritesTheSettingsAndEndsTheProgram) {
  Model().cmbConsole.SetListIndex(1);
  const HWND main = Main();
  EXPECT_EQ(SendMessageW(main, WM_QUERYENDSESSION, 0, ENDSESSION_CLOSEAPP), TRUE);
  SendMessageW(main, WM_ENDSESSION, TRUE, ENDSESSION_CLOSEAPP);
  EXPECT_EQ(ReadBytes(dir_ / "tarqcfg.dat"), "\r\n 0 \r\n 0 \r\n 1 \r\n");
  EXPECT_FALSE(IsWindow(main));
  MSG quit{};  // the message loop ends
  EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

class Win32MapList : public Win32WindowTest {};

TEST_F(Win32MapList, MovingIntoTheListRebuildsItButItsOwnDropDownDoesNot) {
  const std::string game = OpenOnGame("game", {"a.bsp", "b.bsp"});
  const HWND list = Control("cmbMapComment");
  EXPECT_EQ(SendMessageW(list, CB_GETCOUNT, 0, 0), 3);
  WriteBytes(platform::JoinPath(game, "valve\\maps\\c.bsp"), "");
  Model().cmbMapComment.SetListIndex(2);
  SetFocus(Control("cmdStart"));
  SetFocus(list);  // CBN_SETFOCUS, from another control
  EXPECT_EQ(Model().cmbMapComment.ListCount(), 4);
  EXPECT_EQ(SendMessageW(list, CB_GETCOUNT, 0, 0), 4);
  EXPECT_EQ(Model().cmbMapComment.ListIndex(), 0);

  // Its drop-down opening and closing is no move into the list.
  Model().cmbMapComment.SetListIndex(3);
  SendMessageW(list, CB_SHOWDROPDOWN, TRUE, 0);
  DispatchPending();
  SendMessageW(list, CB_SHOWDROPDOWN, FALSE, 0);
  DispatchPending();
  EXPECT_EQ(GetFocus(), list);
  EXPECT_EQ(Model().cmbMapComment.ListIndex(), 3);
  EXPECT_EQ(Model().cmbMap.List(3), "c.bsp");
}

// Another window (a screen reader) reads each row as shown and the
// selection; a typed letter picks as an arrow key does.
TEST_F(Win32MapList, APickByArrowOrLetterSelectsTheMapAndShowsItInTheCommandLine) {
  WriteBytes(dir_ / "tarqcom.dat", *platform::EncodeCp932("\"b.bsp\",\"☆\",\"ボス\"\r\n"));
  OpenOnGame("game", {"a.bsp", "b.bsp", "t0.bsp"});
  const HWND list = Control("cmbMapComment");
  SetFocus(list);
  PressKey(list, VK_DOWN);
  PressKey(list, VK_DOWN);
  EXPECT_EQ(SendMessageW(list, CB_GETCURSEL, 0, 0), 2);
  EXPECT_EQ(Model().cmbMap.ListIndex(), 2);
  EXPECT_EQ(Text(Control("labCommand")), " +map b");
  wchar_t row[64] = {};
  SendMessageW(list, CB_GETLBTEXT, 2, reinterpret_cast<LPARAM>(row));
  EXPECT_EQ(Narrow(row), Model().cmbMapComment.List(2));
  EXPECT_NE(Narrow(row).find("☆　ボス"), std::string::npos);
  EXPECT_EQ(Text(list), Narrow(row));
  TypeChar(list, L't');
  EXPECT_EQ(Model().cmbMapComment.ListIndex(), 3);
  EXPECT_EQ(Text(list), Model().cmbMapComment.List(3));
  EXPECT_EQ(Text(Control("labCommand")), " +map t0");
}

}  // namespace
}  // namespace tarq::testing
