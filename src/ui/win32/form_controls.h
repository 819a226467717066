#pragma once
// A window's controls, made by walking its layout table and bound to the
// form model's controls of the same names:
//
//   forms::WindowLayout ──> one child window per shown control, in Tab
//                           order, placed and given its font at the DPI
//   model control ──Observer──> the child window shows it
//   notification (BN_CLICKED, CBN_SELCHANGE, CBN_SETFOCUS, EN_CHANGE,
//   LBN_SELCHANGE, LBN_DBLCLK) ──> the model's control or event
//
// Controls that are never shown (the hidden map list, the file list) have
// no child window: the form model alone carries them. The shown map list is
// an owner-drawn list without strings that draws the rows it shows from the
// model, so 32768 rows cost no text until they are looked at.

#include <windows.h>

#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "forms/layout.h"

namespace tarq::ui::win32 {

class FormControls final {
 public:
  using Lookup = std::function<forms::ControlBinding(std::string_view name)>;
  FormControls(HWND window, const forms::WindowLayout& layout, const Lookup& lookup);
  ~FormControls();
  FormControls(const FormControls&) = delete;
  FormControls& operator=(const FormControls&) = delete;

  // The child window of a shown control; nullptr for any other name.
  HWND Find(std::string_view name) const;
  // Places and sizes every control and makes the fonts for a DPI.
  void Layout(int dpi);

  // The window procedure's part for the controls: their notifications,
  // owner drawing and colours. True when the message was theirs.
  bool Handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  // Enter that the dialog manager reports as IDOK: a focused button is
  // clicked, a focused folder list opens its highlighted entry; elsewhere
  // Enter does nothing.
  void Enter();

  // Unregisters every observer; no notification reaches the model afterwards.
  void Release();

 private:
  struct Control;

  Control* ById(int id) const;
  Control* ByHandle(HWND hwnd) const;
  // The control's own font at the DPI, or the window font.
  HFONT FontOf(const forms::ControlLayout& c, int dpi);
  int LineHeight(HFONT font) const;
  RECT Geometry(const Control& c, int dpi) const;
  void Make(Control& c, int dpi);
  // A list's closed height and row height; a caption label's size.
  void Fit(Control& c, int dpi) const;
  void Bind(Control& c);
  void Notify(Control& c, int code);
  void FitLabel(Control& c) const;
  void Draw(const Control& c, const DRAWITEMSTRUCT& item) const;
  bool FocusFromUser(const Control& c) const;
  static LRESULT CALLBACK WatchFocus(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  HWND window_;
  const forms::WindowLayout& layout_;
  std::vector<std::unique_ptr<Control>> controls_;
  HDC measure_;               // where texts are measured
  std::vector<HFONT> fonts_;  // at the current DPI
  HFONT windowFont_ = nullptr;
  bool bound_ = true;
};

}  // namespace tarq::ui::win32
