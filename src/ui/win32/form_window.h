#pragma once
// What the main window and the dialogs share: a top-level window of the
// launcher's class, black, of a layout's caption and fixed client size,
// holding the controls of its layout table at its DPI.
//
//   WM_COMMAND, WM_DRAWITEM, WM_CTLCOLOR* ──> FormControls
//   Enter from the dialog manager (IDOK) ──> FormControls::Enter
//   WM_ACTIVATE ──> the control that had the focus has it again
//   WM_DPICHANGED ──> frame, controls and fonts for the new DPI

#include <windows.h>

#include <optional>
#include <string_view>

#include "forms/layout.h"
#include "ui/win32/form_controls.h"

namespace tarq::ui::win32 {

class FormWindow {
 public:
  FormWindow(const FormWindow&) = delete;
  FormWindow& operator=(const FormWindow&) = delete;

  HWND Handle() const { return hwnd_; }
  // The child window of a shown control; nullptr for any other name.
  HWND Find(std::string_view name) const;

  // True for a window of the launcher's class: the message loop gives its
  // keyboard input to the dialog manager first.
  static bool IsFormWindow(HWND hwnd);

 protected:
  // Creates the window, not shown yet.
  explicit FormWindow(const forms::WindowLayout& layout);
  virtual ~FormWindow();

  // Makes the controls and binds them to the model.
  void Bind(const FormControls::Lookup& lookup);
  // The controls let go of the model.
  void Release();
  // Gives the focus to the control that has it when the window is shown.
  void FocusFirst();

  // The frame for the client area at a DPI; `suggested` is where the
  // system would put the window (on a DPI change), or nullptr.
  virtual void Place(int dpi, const RECT* suggested) = 0;
  virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

  const forms::WindowLayout& layout_;
  HWND hwnd_ = nullptr;

 private:
  static ATOM Class();
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  std::optional<FormControls> controls_;
  HWND focus_ = nullptr;  // the control to give the focus back to on activation
};

}  // namespace tarq::ui::win32
