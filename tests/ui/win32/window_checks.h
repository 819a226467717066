#pragma once
// What the Win32 window tests share: where a control stands, its text, the
// Tab order, the message box a click brings up, and a control's pixels.

#include <windows.h>

#include <commctrl.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "forms/layout.h"
#include "forms/window_controller.h"
#include "platform/fs.h"
#include "platform/process.h"
#include "platform/text.h"
#include "platform/win32/wide.h"
#include "support/temp_dir.h"
#include "ui/win32/controls.h"
#include "ui/win32/main_window.h"
#include "ui/win32/message_loop.h"

namespace tarq::testing {

using platform::win32::Narrow;
using platform::win32::Wide;

std::string Text(HWND hwnd);

std::string ClassOf(HWND hwnd);

// A child window's rectangle in its parent's client coordinates.
RECT ClientRect(HWND child);

// What a screen reader reads for a window's client area, through the
// accessible object the window answers with: its name and its role (a
// ROLE_SYSTEM_ value; 0 where there is no object).
struct AccessibleText {
  std::string name;
  long role = 0;
};
AccessibleText AccessibleOf(HWND hwnd);

// Dispatches the messages that are pending now, without waiting; a WM_QUIT
// among them is dropped.
void DispatchPending();

// A window on the screen and its layout table: its controls are found by
// their child window ids.
struct FormOnScreen {
  HWND hwnd;
  const forms::WindowLayout* layout;

  HWND Handle() const { return hwnd; }
  HWND Find(std::string_view name) const;
};

// The visible window of the launcher's class other than `main`, if any.
HWND ShownDialogOf(HWND main);

// A control's place at a DPI, as a DPI step puts it.
RECT Pixels(const forms::ControlLayout& c, int dpi = 96);

std::string Str(const RECT& r);

// The window follows its layout table at a DPI: its title and client size,
// and for every shown control a child window where the table puts it (a
// label that sizes itself from its top-left corner), with the table's
// caption, enabled as the table says, just after the caption that names
// it; a control that is never shown has no window. The Tab order is checked by FocusCycle.
void CheckLayout(const FormOnScreen& window, const forms::WindowLayout& layout, int dpi = 96);

// The names of the focused controls, from the focused one through `steps`
// presses of Tab, each handed to the message loop as the keyboard would.
std::vector<std::string> FocusCycle(const FormOnScreen& window, const forms::WindowLayout& layout,
                                    int steps);

// A key as the keyboard delivers it, through the message loop.
void PressKey(HWND target, WPARAM key);

// A typed character, as the keyboard delivers it.
void TypeChar(HWND target, wchar_t c);

// Watches, on a second thread, for a message box of this process for up to
// ten seconds, notes it as "title|text|icon|buttons" and answers OK. Made
// before the action that shows the box; Seen() waits for the watch to end.
class MessageBoxWatch final {
 public:
  explicit MessageBoxWatch(DWORD timeoutMs = 10000);
  ~MessageBoxWatch();
  // What was seen, or "" when no box came before the deadline.
  std::string Seen();
  // Ends the watch early: for checks that no box comes.
  std::string SeenNow();

 private:
  static HWND FindBox();
  void Run();

  DWORD timeout_;
  std::atomic<bool> stop_{false};
  std::string seen_;
  std::thread thread_;
};

// The client area of a control as it paints itself, one 0x00RRGGBB value
// per pixel.
std::vector<std::uint32_t> Snapshot(HWND control);

std::uint32_t Rgb(COLORREF c);

// True when some pixel shows `text` drawn on `background`: at least half way
// from the one colour to the other and near the line between them, as the
// middle of a stroke is in any face, smoothed or not. A pixel of another
// colour, however far from the background, is no such ink.
bool HasInk(const std::vector<std::uint32_t>& pixels, std::uint32_t background, std::uint32_t text);

// A main window on a program folder of its own, shown and active; the
// current folder is put back afterwards.
class Win32WindowTest : public ::testing::Test {
 protected:
  Win32WindowTest();
  ~Win32WindowTest() override;

  void Open();
  // A game folder with hl.exe and these maps, restored from tarqcfg.dat.
  std::string OpenOnGame(const std::string& name, std::initializer_list<const char*> maps);
  forms::FrmMain& Model() { return *model_; }
  HWND Main() const { return window_->Handle(); }
  FormOnScreen MainForm() const { return {Main(), &forms::kFrmMainLayout}; }
  HWND Control(std::string_view name) const { return MainForm().Find(name); }
  HWND ShownDialog() const { return ShownDialogOf(Main()); }

  TempDir dir_;
  std::string saved_;
  std::unique_ptr<forms::MainController> controller_;
  std::unique_ptr<forms::FrmMain> model_;
  std::unique_ptr<ui::win32::MainWindow> window_;
};

}  // namespace tarq::testing
