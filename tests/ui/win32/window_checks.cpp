// What the Win32 window tests share; see window_checks.h.

#include "window_checks.h"

namespace tarq::testing {

std::string Text(HWND hwnd) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
  return Narrow(text);
}

std::string ClassOf(HWND hwnd) {
  wchar_t name[64] = {};
  GetClassNameW(hwnd, name, 64);
  return Narrow(name);
}

RECT ClientRect(HWND child) {
  RECT r{};
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

AccessibleText AccessibleOf(HWND hwnd) {
  IAccessible* object = nullptr;
  if (FAILED(AccessibleObjectFromWindow(hwnd, static_cast<DWORD>(OBJID_CLIENT),
                                        __uuidof(IAccessible),
                                        reinterpret_cast<void**>(&object)))) {
    return {};
  }
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  AccessibleText text;
  BSTR name = nullptr;
  if (SUCCEEDED(object->get_accName(self, &name)) && name != nullptr) {
    text.name = Narrow(name);
    SysFreeString(name);
  }
  VARIANT role{};
  if (SUCCEEDED(object->get_accRole(self, &role)) && role.vt == VT_I4) text.role = role.lVal;
  object->Release();
  return text;
}

void DispatchPending() {
  MSG message{};
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message != WM_QUIT) ui::win32::Dispatch(message);
  }
}

HWND FormOnScreen::Find(std::string_view name) const {
  for (const forms::ControlLayout& c : layout->controls) {
    if (c.name == name) return GetDlgItem(hwnd, ui::win32::ControlId(*layout, c));
  }
  return nullptr;
}

HWND ShownDialogOf(HWND main) {
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

RECT Pixels(const forms::ControlLayout& c, int dpi) {
  using forms::TwipsToPixels;
  const int left = TwipsToPixels(c.left, dpi), top = TwipsToPixels(c.top, dpi);
  return {left, top, left + TwipsToPixels(c.width, dpi), top + TwipsToPixels(c.height, dpi)};
}

std::string Str(const RECT& r) {
  return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" +
         std::to_string(r.right) + "," + std::to_string(r.bottom) + ")";
}

void CheckLayout(const FormOnScreen& window, const forms::WindowLayout& layout, int dpi) {
  const HWND hwnd = window.Handle();
  EXPECT_EQ(Text(hwnd), layout.caption);
  RECT client{};
  GetClientRect(hwnd, &client);
  EXPECT_EQ(client.right, forms::TwipsToPixels(layout.width, dpi));
  EXPECT_EQ(client.bottom, forms::TwipsToPixels(layout.height, dpi));
  for (const forms::ControlLayout& c : layout.controls) {
    SCOPED_TRACE(std::string(c.name));
    const HWND child = window.Find(c.name);
    if (!c.visible) {
      EXPECT_EQ(child, nullptr);
      continue;
    }
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(GetParent(child), hwnd);
    const RECT expected = Pixels(c, dpi);
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
    // A screen reader reads the name the table gives, else names the control
    // after the static just before it.
    if (!c.accessibleName.empty()) {
      EXPECT_EQ(AccessibleOf(child).name, c.accessibleName);
    } else if (const forms::ControlLayout* caption = layout.CaptionOf(c)) {
      EXPECT_EQ(GetWindow(child, GW_HWNDPREV), window.Find(caption->name));
    }
  }
}

std::vector<std::string> FocusCycle(const FormOnScreen& window, const forms::WindowLayout& layout,
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

void PressKey(HWND target, WPARAM key) {
  PostMessageW(target, WM_KEYDOWN, key, 0);
  PostMessageW(target, WM_KEYUP, key, 0);
  DispatchPending();
}

void TypeChar(HWND target, wchar_t c) {
  PostMessageW(target, WM_CHAR, c, 1);
  DispatchPending();
}

MessageBoxWatch::MessageBoxWatch(DWORD timeoutMs)
    : timeout_(timeoutMs), thread_([this] { Run(); }) {}

MessageBoxWatch::~MessageBoxWatch() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
}

std::string MessageBoxWatch::Seen() {
  if (thread_.joinable()) thread_.join();
  return seen_;
}

std::string MessageBoxWatch::SeenNow() {
  stop_ = true;
  return Seen();
}

HWND MessageBoxWatch::FindBox() {
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

void MessageBoxWatch::Run() {
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

std::vector<std::uint32_t> Snapshot(HWND control) {
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

std::uint32_t Rgb(COLORREF c) {
  return (static_cast<std::uint32_t>(GetRValue(c)) << 16) |
         (static_cast<std::uint32_t>(GetGValue(c)) << 8) | GetBValue(c);
}

bool HasInk(const std::vector<std::uint32_t>& pixels, std::uint32_t background,
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

Win32WindowTest::Win32WindowTest() : saved_(platform::CurrentFolder()) {}

Win32WindowTest::~Win32WindowTest() {
  window_.reset();
  model_.reset();
  controller_.reset();
  DispatchPending();
  platform::ChangeFolder(saved_);
}

void Win32WindowTest::Open() {
  controller_ = std::make_unique<forms::MainController>();
  model_ = std::make_unique<forms::FrmMain>(*controller_, dir_.Path());
  model_->Form_Load();
  window_ = std::make_unique<ui::win32::MainWindow>(*controller_, *model_);
  window_->Show(SW_SHOWNORMAL);
  DispatchPending();
}

std::string Win32WindowTest::OpenOnGame(const std::string& name,
                                        std::initializer_list<const char*> maps) {
  const std::string game = dir_ / name;
  MakeFolders(platform::JoinPath(game, "valve\\maps"));
  WriteBytes(platform::JoinPath(game, "hl.exe"), "");
  for (const char* m : maps) WriteBytes(platform::JoinPath(game, "valve\\maps\\") + m, "");
  WriteBytes(dir_ / "tarqcfg.dat", *platform::EncodeCp932(game) + "\r\n 0 \r\n 0 \r\n 0 \r\n");
  Open();
  return game;
}

}  // namespace tarq::testing
