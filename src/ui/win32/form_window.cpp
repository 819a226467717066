#include "ui/win32/form_window.h"

#include "ui/win32/look.h"

namespace tarq::ui::win32 {
namespace {

constexpr wchar_t kClassName[] = L"TARQ.Form";

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

FormWindow::FormWindow(const forms::WindowLayout& layout) : layout_(layout) {
  Class();
  const DWORD style = WindowStyle(layout.kind);
  // A main window goes where the system puts new windows; its size and a
  // dialog's place are set by Place once its DPI is known.
  const bool main = layout.kind == forms::WindowKind::kMain;
  CreateWindowExW(WindowExStyle(layout.kind), kClassName, Wide(layout.caption).c_str(), style,
                  main ? CW_USEDEFAULT : 0, main ? CW_USEDEFAULT : 0, main ? CW_USEDEFAULT : 0,
                  main ? CW_USEDEFAULT : 0, nullptr, nullptr, GetModuleHandleW(nullptr), this);
  if (hwnd_ != nullptr) SetAppIcons(hwnd_, WindowDpi(hwnd_));
}

FormWindow::~FormWindow() {
  if (IsWindow(hwnd_)) DestroyWindow(hwnd_);
}

bool FormWindow::IsFormWindow(HWND hwnd) {
  return hwnd != nullptr && static_cast<ATOM>(GetClassLongPtrW(hwnd, GCW_ATOM)) == Class();
}

HWND FormWindow::Find(std::string_view name) const {
  return controls_ ? controls_->Find(name) : nullptr;
}

void FormWindow::Bind(const FormControls::Lookup& lookup) {
  controls_.emplace(hwnd_, layout_, lookup);
  focus_ = controls_->Find(layout_.firstFocus);
  Place(WindowDpi(hwnd_), nullptr);
}

void FormWindow::Release() {
  if (controls_) controls_->Release();
}

void FormWindow::FocusFirst() {
  focus_ = Find(layout_.firstFocus);
  if (focus_ != nullptr) SetFocus(focus_);
}

LRESULT CALLBACK FormWindow::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<FormWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
  return self->OnMessage(message, wParam, lParam);
}

LRESULT FormWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (controls_ && controls_->Handle(message, wParam, lParam, result)) return result;
  switch (message) {
    case WM_COMMAND:
      // Enter and Esc, as the dialog manager reports them: only a focused
      // button reacts to Enter; Esc does nothing.
      if (LOWORD(wParam) == IDOK && lParam == 0 && controls_) controls_->Enter();
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        const HWND focus = GetFocus();
        if (focus != nullptr && IsChild(hwnd_, focus)) focus_ = focus;
      } else if (focus_ != nullptr && IsWindow(focus_) && IsWindowEnabled(focus_)) {
        SetFocus(focus_);
        return 0;
      }
      break;
    case WM_DPICHANGED:
      if (controls_) controls_->Layout(HIWORD(wParam));
      Place(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
      SetAppIcons(hwnd_, HIWORD(wParam));
      return 0;
    case WM_NCDESTROY:
      DropAppIcons(hwnd_);
      break;
    default:
      break;
  }
  return DefWindowProcW(hwnd_, message, wParam, lParam);
}

}  // namespace tarq::ui::win32
