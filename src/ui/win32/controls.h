#pragma once
// The Win32 child window of each control kind, as the window controller
// drives it:
//
//   controller ──Show...──> the child window shows the model's state
//   notification (BN_CLICKED, CBN_SELCHANGE, CBN_SETFOCUS, EN_CHANGE,
//   LBN_SELCHANGE, LBN_DBLCLK) ──> BoundControl (Clicked, Picked, ...)
//
// The same classes as ui/qt/controls.h, over Win32 controls. Every list
// row is a string of its control, what the eye sees, so screen readers read
// it and typed letters find it; the folder list draws its indent.

#include <windows.h>

#include <memory>
#include <string>

#include "forms/window_controller.h"

namespace tarq::ui::win32 {

class FormWindow;

// A control's child window id: its row's place in the layout table, clear
// of IDOK and IDCANCEL, which the dialog manager sends.
int ControlId(const forms::WindowLayout& layout, const forms::ControlLayout& row);

// What every kind shares: its child window, font, place, focus and enabled.
class Control : public forms::ControlView {
 public:
  ~Control() override { StopIntercepting(); }
  HWND Handle() const { return hwnd_; }
  int Id() const { return id_; }
  const forms::ControlLayout& Row() const { return control_.Row(); }
  void Focus() override { SetFocus(hwnd_); }
  bool HasFocus() const override { return GetFocus() == hwnd_; }
  bool Enabled() const override { return IsWindowEnabled(hwnd_) != FALSE; }

  // Places and sizes the control and gives it its font for a DPI.
  void Layout(int dpi);
  // Screen readers read `name` as the control's name, not its caption or
  // the static before it.
  void SetAccessibleName(std::wstring name);
  // A notification from the control, through its window's WM_COMMAND.
  virtual void Notify(int code) { (void)code; }
  // WM_CTLCOLORSTATIC, WM_CTLCOLORBTN: true with a brush for the kinds
  // that colour themselves.
  virtual bool Colour(HDC dc, LRESULT& brush) const {
    (void)dc;
    (void)brush;
    return false;
  }
  virtual bool Draw(const DRAWITEMSTRUCT& item) const {
    (void)item;
    return false;
  }

 protected:
  Control(FormWindow& window, forms::BoundControl& control, const wchar_t* windowClass, DWORD style,
          DWORD exStyle = 0);
  RECT Geometry(int dpi) const;
  // From now on the child window's messages reach Intercept before its own
  // procedure: true when Intercept has answered one, with `result`.
  void StartIntercepting();
  virtual bool Intercept(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  // What the kind sizes after its font: a list's heights, a label's size.
  virtual void Fit(int dpi) { (void)dpi; }

  FormWindow& window_;
  forms::BoundControl& control_;
  HWND hwnd_ = nullptr;
  HFONT font_ = nullptr;
  int id_;

 private:
  static LRESULT CALLBACK Intercepted(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  // The child window's own procedure again.
  void StopIntercepting();

  WNDPROC original_ = nullptr;  // while intercepting
  std::wstring accessibleName_;
};

// The child window of a shown row, in `window`, reporting to `control`: a
// LabelControl, ButtonControl, ListControl, TextBoxControl or
// FolderListControl (controls.cpp).
std::unique_ptr<Control> MakeControl(FormWindow& window, forms::BoundControl& control);

}  // namespace tarq::ui::win32
