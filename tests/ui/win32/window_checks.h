#pragma once
// What the Win32 window tests share: where a control stands, its text, the
// Tab order, the message box a click brings up, and a control's pixels.

#include <windows.h>

#include <commctrl.h>

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

inline std::string Text(HWND hwnd) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
  return Narrow(text);
}

inline std::string ClassOf(HWND hwnd) {
  wchar_t name[64] = {};
  GetClassNameW(hwnd, name, 64);
  return Narrow(name);
}

// A child window's rectangle in its parent's client coordinates.
inline RECT ClientRect(HWND child) {
  RECT r{};
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// Dispatches the messages that are pending now, without waiting; a WM_QUIT
// among them is dropped.
inline void DispatchPending() {
  MSG message{};
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message != WM_QUIT) ui::win32::Dispatch(message);
  }
}

// A window on the screen and its layout table: its controls are found by
// their child window ids.
struct FormOnScreen {
  HWND hwnd;
  const forms::WindowLayout* layout;

  HWND Handle() const { return hwnd; }
  HWND Find(std::string_view name) const {
    for (const forms::ControlLayout& c : layout->controls) {
      if (c.name == name) return GetDlgItem(hwnd, ui::win32::ControlId(*layout, c));
    }
    return nullptr;
  }
};

// The visible window of the launcher's class other than `main`, if any.
inline HWND ShownDialogOf(HWND main) {
  struct Search {
    HWND main, found;
  } search{main, nullptr};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND hwnd, LPARAM p) -> BOOL {
        auto* s = reinterpret_cast<Search*>(p);
        if (hwnd != s->main && IsWindowVisible(hwnd) && ui::win32::FormWindow::IsFormWindow(hwnd)) {
          s->found = hwnd;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

inline RECT Pixels(const forms::ControlLayout& c) {
  using forms::TwipsToPixels;
  return {TwipsToPixels(c.left), TwipsToPixels(c.top), TwipsToPixels(c.left + c.width),
          TwipsToPixels(c.top + c.height)};
}

inline std::string Str(const RECT& r) {
  return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" +
         std::to_string(r.right) + "," + std::to_string(r.bottom) + ")";
}

// The window follows its layout table at 96 DPI: its title and client size,
// and for every shown control a child window where the table puts it (a
// label that sizes itself from its top-left corner), with the table's
// caption, enabled as the table says, just after the caption that names
// it; a control that is never shown has no window. The Tab order is checked by FocusCycle.
template <typename Window>
void CheckLayout(const Window& window, const forms::WindowLayout& layout) {
  const HWND hwnd = window.Handle();
  EXPECT_EQ(Text(hwnd), layout.caption);
  RECT client{};
  GetClientRect(hwnd, &client);
  EXPECT_EQ(client.right, forms::TwipsToPixels(layout.width));
  EXPECT_EQ(client.bottom, forms::TwipsToPixels(layout.height));
  for (const forms::ControlLayout& c : layout.controls) {
    SCOPED_TRACE(std::string(c.name));
    const HWND child = window.Find(c.name);
    if (!c.visible) {
      EXPECT_EQ(child, nullptr);
      continue;
    }
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(GetParent(child), hwnd);
    const RECT expected = Pixels(c);
    const RECT actual = ClientRect(child);
    if (c.kind == forms::ControlKind::kCaptionLabel) {
      EXPECT_EQ(actual.left, expected.left);
      EXPECT_EQ(actual.top, expected.top);
    } else {
      EXPECT_EQ(Str(actual), Str(expected));
    }
    EXPECT_TRUE(IsWindowVisible(child));
    EXPECT_EQ(IsWindowEnabled(child) != FALSE, c.enabled);
    if (!c.caption.empty()) {
      EXPECT_EQ(Text(child), c.caption);
    }
    // A screen reader names the control after the static just before it.
    if (const forms::ControlLayout* caption = layout.CaptionOf(c)) {
      EXPECT_EQ(GetWindow(child, GW_HWNDPREV), window.Find(caption->name));
    }
  }
}

// The names of the focused controls, from the focused one through `steps`
// presses of Tab, each handed to the message loop as the keyboard would.
template <typename Window>
std::vector<std::string> FocusCycle(const Window& window, const forms::WindowLayout& layout,
                                    int steps) {
  auto name = [&](HWND focus) {
    for (const forms::ControlLayout& c : layout.controls) {
      if (window.Find(c.name) == focus && focus != nullptr) return std::string(c.name);
    }
    return std::string("?");
  };
  std::vector<std::string> visited{name(GetFocus())};
  for (int i = 0; i < steps; ++i) {
    PostMessageW(GetFocus(), WM_KEYDOWN, VK_TAB, 0);
    DispatchPending();
    visited.push_back(name(GetFocus()));
  }
  return visited;
}

// A key as the keyboard delivers it, through the message loop.
inline void PressKey(HWND target, WPARAM key) {
  PostMessageW(target, WM_KEYDOWN, key, 0);
  PostMessageW(target, WM_KEYUP, key, 0);
  DispatchPending();
}

// A typed character, as the keyboard delivers it.
inline void TypeChar(HWND target, wchar_t c) {
  PostMessageW(target, WM_CHAR, c, 1);
  DispatchPending();
}

// Watches, on a second thread, for a message box of this process for up to
// ten seconds, notes it as "title|text|icon|buttons" and answers OK. Made
// before the action that shows the box; Seen() waits for the watch to end.
class MessageBoxWatch final {
 public:
  explicit MessageBoxWatch(DWORD timeoutMs = 10000)
      : timeout_(timeoutMs), thread_([this] { Run(); }) {}
  ~MessageBoxWatch() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
  }
  // What was seen, or "" when no box came before the deadline.
  std::string Seen() {
    if (thread_.joinable()) thread_.join();
    return seen_;
  }
  // Ends the watch early: for checks that no box comes.
  std::string SeenNow() {
    stop_ = true;
    return Seen();
  }

 private:
  static HWND FindBox() {
    struct Search {
      DWORD process;
      HWND found;
    } search{GetCurrentProcessId(), nullptr};
    EnumWindows(
        [](HWND hwnd, LPARAM p) -> BOOL {
          auto* s = reinterpret_cast<Search*>(p);
          DWORD process = 0;
          GetWindowThreadProcessId(hwnd, &process);
          if (process == s->process && ClassOf(hwnd) == "#32770" && IsWindowVisible(hwnd)) {
            s->found = hwnd;
            return FALSE;
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
  }

  void Run() {
    const DWORD start = GetTickCount();
    HWND box = nullptr;
    while (box == nullptr && !stop_ && GetTickCount() - start < timeout_) {
      box = FindBox();
      if (box == nullptr) std::this_thread::yield();
    }
    if (box == nullptr) return;
    std::string text, icon = "no icon";
    int buttons = 0;
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
      const std::string cls = ClassOf(child);
      if (cls == "Button") {
        ++buttons;
      } else if (cls == "Static" && (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
        const auto shown = reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
        icon = shown == LoadIconW(nullptr, IDI_EXCLAMATION) ? "exclamation" : "other icon";
      } else if (cls == "Static" && !Text(child).empty()) {
        text = Text(child);
      }
    }
    seen_ = Text(box) + "|" + text + "|" + icon + "|" + std::to_string(buttons);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
  }

  DWORD timeout_;
  std::atomic<bool> stop_{false};
  std::string seen_;
  std::thread thread_;
};

// The client area of a control as it paints itself, one 0x00RRGGBB value
// per pixel.
inline std::vector<std::uint32_t> Snapshot(HWND control) {
  RECT r{};
  GetClientRect(control, &r);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = r.right;
  info.bmiHeader.biHeight = -r.bottom;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  const HDC screen = GetDC(nullptr);
  const HDC dc = CreateCompatibleDC(screen);
  const HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  const HGDIOBJ previous = SelectObject(dc, bitmap);
  SendMessageW(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
  GdiFlush();
  const auto* p = static_cast<const std::uint32_t*>(bits);
  std::vector<std::uint32_t> pixels(
      p, p + static_cast<std::size_t>(r.right) * static_cast<std::size_t>(r.bottom));
  for (auto& px : pixels) px &= 0xFFFFFF;
  SelectObject(dc, previous);
  DeleteObject(bitmap);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return pixels;
}

inline std::uint32_t Rgb(COLORREF c) {
  return (static_cast<std::uint32_t>(GetRValue(c)) << 16) |
         (static_cast<std::uint32_t>(GetGValue(c)) << 8) | GetBValue(c);
}

// True when some pixel shows `text` drawn on `background`: at least half way
// from the one colour to the other and near the line between them, as the
// middle of a stroke is in any face, smoothed or not. A pixel of another
// colour, however far from the background, is no such ink.
inline bool HasInk(const std::vector<std::uint32_t>& pixels, std::uint32_t background,
                   std::uint32_t text) {
  auto channels = [](std::uint32_t c) {
    return std::array<double, 3>{double((c >> 16) & 0xFF), double((c >> 8) & 0xFF),
                                 double(c & 0xFF)};
  };
  const auto b = channels(background);
  const auto t = channels(text);
  const std::array<double, 3> d{t[0] - b[0], t[1] - b[1], t[2] - b[2]};
  const double length2 = d[0] * d[0] + d[1] * d[1] + d[2] * d[2];
  return length2 > 0 && std::any_of(pixels.begin(), pixels.end(), [&](std::uint32_t pixel) {
           const auto p = channels(pixel);
           const std::array<double, 3> v{p[0] - b[0], p[1] - b[1], p[2] - b[2]};
           const double along = (v[0] * d[0] + v[1] * d[1] + v[2] * d[2]) / length2;
           double off2 = 0;
           for (int i = 0; i < 3; ++i) off2 += (v[i] - along * d[i]) * (v[i] - along * d[i]);
           return along >= 0.5 && off2 <= length2 / 16;
         });
}

// A main window on a program folder of its own, shown and active; the
// current folder is put back afterwards.
class Win32WindowTest : public ::testing::Test {
 protected:
  Win32WindowTest() : saved_(platform::CurrentFolder()) {}
  ~Win32WindowTest() override {
    window_.reset();
    model_.reset();
    controller_.reset();
    DispatchPending();
    platform::ChangeFolder(saved_);
  }

  void Open() {
    controller_ = std::make_unique<forms::MainController>();
    model_ = std::make_unique<forms::FrmMain>(*controller_, dir_.Path());
    model_->Form_Load();
    window_ = std::make_unique<ui::win32::MainWindow>(*controller_, *model_);
    window_->Show(SW_SHOWNORMAL);
    DispatchPending();
  }
  // A game folder with hl.exe and these maps, restored from tarqcfg.dat.
  std::string OpenOnGame(const std::string& name, std::initializer_list<const char*> maps) {
    const std::string game = dir_ / name;
    MakeFolders(platform::JoinPath(game, "valve\\maps"));
    WriteBytes(platform::JoinPath(game, "hl.exe"), "");
    for (const char* m : maps) WriteBytes(platform::JoinPath(game, "valve\\maps\\") + m, "");
    WriteBytes(dir_ / "tarqcfg.dat", *platform::EncodeCp932(game) + "\r\n 0 \r\n 0 \r\n 0 \r\n");
    Open();
    return game;
  }
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
