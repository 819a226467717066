#include "ui/win32/form_window.h"

#include <oleacc.h>

#include "forms/messages.h"
#include "ui/win32/accessible.h"
#include "ui/win32/controls.h"
#include "ui/win32/look.h"

namespace tarq::ui::win32 {
namespace {

constexpr wchar_t kClassName[] = L"TARQ.Form";
// The window's one private message: run what Post queued.
constexpr UINT kRunPosted = WM_APP + 1;

}  // namespace

ATOM FormWindow::Class() {
  static const ATOM atom = [] {
    WNDCLASSEXW c{};
    c.cbSize = sizeof c;
    c.lpfnWndProc = &FormWindow::Proc;
    c.hInstance = GetModuleHandleW(nullptr);
    c.hIcon = AppIcon(GetSystemMetrics(SM_CXICON));
    c.hIconSm = AppIcon(GetSystemMetrics(SM_CXSMICON));
    c.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    c.hbrBackground = BackgroundBrush();
    c.lpszClassName = kClassName;
    return RegisterClassExW(&c);
  }();
  return atom;
}

FormWindow::FormWindow(const forms::WindowLayout& layout, HWND owner, POINT at)
    : layout_(layout), measure_(CreateCompatibleDC(nullptr)) {
  Class();
  const DWORD style = WindowStyle(layout.kind);
  // Made at `at`, so that it has the DPI of the monitor there; its size and
  // a dialog's exact place are set by Place once its DPI is known.
  const bool main = layout.kind == forms::WindowKind::kMain;
  CreateWindowExW(WindowExStyle(layout.kind), kClassName, Wide(layout.caption).c_str(), style, at.x,
                  at.y, main ? CW_USEDEFAULT : 0, main ? CW_USEDEFAULT : 0, owner, nullptr,
                  GetModuleHandleW(nullptr), this);
  dpi_ = WindowDpi(hwnd_);
  textScale_ = TextScale();
  if (hwnd_ != nullptr) FitAppIcons(hwnd_, dpi_);
}

FormWindow::~FormWindow() {
  // Nothing reaches the model from here on; what the windows report while
  // they go reaches the controller, which outlives the window.
  if (controller_ != nullptr) controller_->Unbind();
  if (hwnd_ != nullptr) DestroyWindow(hwnd_);
  for (const MadeFont& f : fonts_) DeleteObject(f.font);
  DeleteDC(measure_);
}

void FormWindow::Attach(forms::WindowController& controller) {
  controller_ = &controller;
  Place(dpi_, nullptr);
}

bool FormWindow::IsFormWindow(HWND hwnd) {
  return hwnd != nullptr && static_cast<ATOM>(GetClassLongPtrW(hwnd, GCW_ATOM)) == Class();
}

forms::ControlView* FormWindow::MakeControl(forms::BoundControl& control) {
  controls_.push_back(win32::MakeControl(*this, control));
  return controls_.back().get();
}

void FormWindow::SetTabOrder(const std::vector<forms::ControlView*>& order) {
  // The dialog manager's Tab key follows the order of the child windows.
  // Labels take no Tab stop, wherever they stand.
  for (forms::ControlView* view : order) {
    SetWindowPos(static_cast<Control*>(view)->Handle(), HWND_BOTTOM, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

void FormWindow::NameControl(forms::ControlView& control, forms::ControlView& caption) {
  // A screen reader names a control without text of its own after the
  // static just before it.
  const HWND named = static_cast<Control&>(control).Handle();
  const HWND label = static_cast<Control&>(caption).Handle();
  const HWND before = GetWindow(named, GW_HWNDPREV);
  if (before == label) return;
  SetWindowPos(label, before != nullptr ? before : HWND_TOP, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void FormWindow::NameControl(forms::ControlView& control, std::string_view name) {
  static_cast<Control&>(control).SetAccessibleName(Wide(name));
}

void FormWindow::Show() {
  ShowWindow(hwnd_, SW_SHOW);
  if (controller_ != nullptr) controller_->Shown();
}

void FormWindow::Post(std::function<void()> task) {
  posted_.push_back(std::move(task));
  PostMessageW(hwnd_, kRunPosted, 0, 0);
}

void FormWindow::MsgBox(std::string_view text) {
  MessageBoxW(hwnd_, Wide(text).c_str(), Wide(forms::kAppTitle).c_str(),
              MB_ICONEXCLAMATION | MB_OK);
}

SIZE FormWindow::FrameSize(int dpi) const {
  const RECT r = FrameAround(layout_.kind, 0, 0, TwipsToPixels(layout_.width, dpi),
                             TwipsToPixels(layout_.height, dpi), dpi);
  return {r.right - r.left, r.bottom - r.top};
}

HFONT FormWindow::FontOf(const forms::FontSpec& font) {
  for (const MadeFont& f : fonts_) {
    if (f.spec == font) return f.font;
  }
  fonts_.push_back({font, MakeFont(font, dpi_)});
  return fonts_.back().font;
}

void FormWindow::ChangeDpi(int dpi) {
  const std::vector<MadeFont> old = std::move(fonts_);
  fonts_.clear();
  dpi_ = dpi;
  textScale_ = TextScale();
  for (const auto& c : controls_) c->Layout(dpi);
  for (const MadeFont& f : old) DeleteObject(f.font);
}

Control* FormWindow::ById(int id) const {
  for (const auto& c : controls_) {
    if (c->Id() == id) return c.get();
  }
  return nullptr;
}

Control* FormWindow::ByHandle(HWND hwnd) const {
  for (const auto& c : controls_) {
    if (c->Handle() == hwnd) return c.get();
  }
  return nullptr;
}

LRESULT CALLBACK FormWindow::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<FormWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
  if (message != WM_NCDESTROY) return self->OnMessage(message, wParam, lParam);
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
  DropAppIcons(hwnd);
  const LRESULT result = self->OnMessage(message, wParam, lParam);
  self->hwnd_ = nullptr;  // the handle may name another window from now on
  return result;
}

LRESULT FormWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (controller_ == nullptr) return DefWindowProcW(hwnd_, message, wParam, lParam);
  switch (message) {
    case WM_COMMAND:
      if (Control* c = ById(LOWORD(wParam)); c != nullptr && lParam != 0) {
        if (reinterpret_cast<HWND>(lParam) == c->Handle()) c->Notify(HIWORD(wParam));
        return 0;
      }
      // Enter and Esc, as the dialog manager reports them: only a focused
      // button reacts to Enter; Esc does nothing.
      if (LOWORD(wParam) == IDOK && lParam == 0) controller_->Enter();
      return 0;
    case WM_DRAWITEM: {
      const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      const Control* c = ById(static_cast<int>(item.CtlID));
      if (c != nullptr && c->Draw(item)) return TRUE;
      break;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      const Control* c = ByHandle(reinterpret_cast<HWND>(lParam));
      LRESULT brush = 0;
      if (c != nullptr && c->Colour(reinterpret_cast<HDC>(wParam), brush)) return brush;
      break;
    }
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        controller_->Deactivated();
      } else if (controller_->Activated()) {
        return 0;  // the control that had the focus has it again
      }
      break;
    case WM_CLOSE:
      // A dialog's close box unloads it, which takes its window away.
      controller_->CloseBox();
      return 0;
    case WM_GETDPISCALEDSIZE:
      *reinterpret_cast<SIZE*>(lParam) = FrameSize(static_cast<int>(wParam));
      return TRUE;
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
      SystemSettingsChanged();
      // The text size or the message font changed: laid out again as at a
      // change of DPI. Windows names neither change reliably (lParam).
      if (message == WM_SETTINGCHANGE &&
          (wParam == SPI_SETNONCLIENTMETRICS || TextScale() != textScale_)) {
        ChangeDpi(dpi_);
        Place(dpi_, nullptr);
      }
      // High contrast may have come or gone: the controls take the new
      // system colours, and everything is painted again.
      for (const auto& c : controls_) SendMessageW(c->Handle(), WM_SYSCOLORCHANGE, 0, 0);
      RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
      break;
    case WM_GETOBJECT:
      // Screen readers announce a dialog, and read its text, as it opens.
      if (layout_.kind == forms::WindowKind::kToolDialog) {
        if (const LRESULT answer = AnswerGetObject(hwnd_, wParam, lParam, {}, ROLE_SYSTEM_DIALOG)) {
          return answer;
        }
      }
      break;
    case WM_ERASEBKGND: {
      RECT r{};
      GetClientRect(hwnd_, &r);
      FillRect(reinterpret_cast<HDC>(wParam), &r, BackgroundBrush());
      return TRUE;
    }
    case WM_DPICHANGED:
      ChangeDpi(HIWORD(wParam));
      Place(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
      SetAppIcons(hwnd_, HIWORD(wParam));
      return 0;
    case kRunPosted: {
      std::vector<std::function<void()>> tasks;
      tasks.swap(posted_);
      for (const auto& task : tasks) task();
      return 0;
    }
    default:
      break;
  }
  return DefWindowProcW(hwnd_, message, wParam, lParam);
}

}  // namespace tarq::ui::win32
