#pragma once
// What the main window and the dialogs share: a top-level window of the
// launcher's class, black, of a layout's caption and fixed client size,
// owning an adapter and its child window per shown control at its DPI,
// driven by a forms::WindowController that outlives it:
//
//   WM_ACTIVATE ──> Activated, Deactivated; WM_CLOSE ──> CloseBox
//   Enter from the dialog manager (IDOK) ──> Enter
//   WM_COMMAND, WM_DRAWITEM, WM_CTLCOLOR* ──> the control of that id or handle
//   WM_GETDPISCALEDSIZE ──> the frame around the client area at the new DPI
//   WM_DPICHANGED ──> controls and fonts for the new DPI, the frame as
//   suggested
//   WM_SYSCOLORCHANGE, WM_SETTINGCHANGE ──> repainted (high contrast); laid
//   out again when the text size or the message font changed
//   WM_GETOBJECT for a dialog's client area ──> the dialog role
//   the controller ──> show, enable, activate, hide, post, message boxes
//   destroyed ──> the controller unbinds; the window and its children go,
//   then the adapters
//
// The same class as ui/qt/form_window.h, over an HWND.

#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "forms/window_controller.h"

namespace tarq::ui::win32 {

class Control;

class FormWindow : public virtual forms::WindowView {
 public:
  FormWindow(const FormWindow&) = delete;
  FormWindow& operator=(const FormWindow&) = delete;

  HWND Handle() const { return hwnd_; }
  // True for a window of the launcher's class: the message loop gives its
  // keyboard input to the dialog manager first.
  static bool IsFormWindow(HWND hwnd);

  // Also places the window for its layout at its DPI.
  void Attach(forms::WindowController& controller) override;
  forms::ControlView* MakeControl(forms::BoundControl& control) override;
  void SetTabOrder(const std::vector<forms::ControlView*>& order) override;
  // Puts the caption just before the control among the child windows.
  void NameControl(forms::ControlView& control, forms::ControlView& caption) override;
  // The control answers screen readers with the name.
  void NameControl(forms::ControlView& control, std::string_view name) override;
  void Show() override;
  void SetEnabled(bool enabled) override { EnableWindow(hwnd_, enabled ? TRUE : FALSE); }
  void Activate() override { SetForegroundWindow(hwnd_); }
  void Hide() override { ShowWindow(hwnd_, SW_HIDE); }
  void Destroy() override { DestroyWindow(hwnd_); }
  void Post(std::function<void()> task) override;
  void MsgBox(std::string_view text) override;

  // For the controls: the window's DPI, the layout's font at it, one for all
  // the controls that name it, and a device context to measure texts in.
  int Dpi() const { return dpi_; }
  HFONT FontOf(const forms::FontSpec& font);
  HDC Measure() const { return measure_; }
  const forms::WindowLayout& Layout() const { return layout_; }

 protected:
  // Creates the window, empty, not shown yet, owned by `owner` if given, at
  // `at` on the screen (by default where the system puts new windows).
  explicit FormWindow(const forms::WindowLayout& layout, HWND owner = nullptr,
                      POINT at = {CW_USEDEFAULT, CW_USEDEFAULT});
  virtual ~FormWindow();

  // The frame for the client area at a DPI; `suggested` is where the
  // system puts the window on a DPI change (the size answered to
  // WM_GETDPISCALEDSIZE), or nullptr.
  virtual void Place(int dpi, const RECT* suggested) = 0;
  // The size of the frame around the fixed client area at a DPI.
  SIZE FrameSize(int dpi) const;
  virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

  const forms::WindowLayout& layout_;
  HWND hwnd_ = nullptr;
  forms::WindowController* controller_ = nullptr;

 private:
  static ATOM Class();
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  Control* ById(int id) const;
  Control* ByHandle(HWND hwnd) const;
  void ChangeDpi(int dpi);

  std::vector<std::unique_ptr<Control>> controls_;
  int dpi_;
  int textScale_;  // the text size the controls and fonts are laid out at
  HDC measure_;
  struct MadeFont {
    forms::FontSpec spec;
    HFONT font;
  };
  std::vector<MadeFont> fonts_;  // at the current DPI
  std::vector<std::function<void()>> posted_;
};

}  // namespace tarq::ui::win32
