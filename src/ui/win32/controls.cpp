#include "ui/win32/controls.h"

#include <commctrl.h>

#include <cstdint>
#include <string>
#include <utility>

#include "ui/win32/accessible.h"
#include "ui/win32/form_window.h"
#include "ui/win32/look.h"

namespace tarq::ui::win32 {
namespace {

using forms::ControlKind;

constexpr int kFirstId = 100;
// A drop-down shows this many rows: the creation height holds them for
// older common controls, CB_SETMINVISIBLE asks version 6.
constexpr int kDroppedRows = 12;

std::wstring WindowText(HWND hwnd) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
  return text;
}

int LineHeight(HDC measure, HFONT font) {
  const HGDIOBJ previous = SelectObject(measure, font);
  TEXTMETRICW metrics{};
  GetTextMetricsW(measure, &metrics);
  SelectObject(measure, previous);
  return metrics.tmHeight;
}

// A drop-down list's closed box is as high as its selection field and
// frame. The field is set until the whole box has the given height: what
// CB_GETITEMHEIGHT reports for the field differs between Windows and Wine.
void SetClosedHeight(HWND combo, int height) {
  auto closed = [combo] {
    RECT r{};
    GetWindowRect(combo, &r);
    return static_cast<int>(r.bottom - r.top);
  };
  auto field = static_cast<int>(SendMessageW(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
  for (int tries = 0; tries < 3 && closed() != height; ++tries) {
    field += height - closed();
    if (field <= 0) break;
    SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
  }
}

}  // namespace

int ControlId(const forms::WindowLayout& layout, const forms::ControlLayout& row) {
  return kFirstId + static_cast<int>(&row - layout.controls.data());
}

Control::Control(FormWindow& window, forms::BoundControl& control, const wchar_t* windowClass,
                 DWORD style, DWORD exStyle)
    : window_(window),
      control_(control),
      font_(window.FontOf(control.Row().font)),
      id_(ControlId(window.Layout(), control.Row())) {
  const forms::ControlLayout& row = control.Row();
  style |= WS_CHILD | WS_VISIBLE;
  if (!row.enabled) style |= WS_DISABLED;
  // Made where it stands, in its font: moving controls costs Wine a server
  // call each.
  const RECT r = Geometry(window.Dpi());
  hwnd_ = CreateWindowExW(exStyle, windowClass, Wide(row.caption).c_str(), style, r.left, r.top,
                          r.right - r.left, r.bottom - r.top, window.Handle(),
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)),
                          GetModuleHandleW(nullptr), nullptr);
  SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
}

RECT Control::Geometry(int dpi) const {
  RECT r = ControlRect(control_.Row(), dpi);
  // The height a combo box is given is the height it has dropped down.
  const ControlKind kind = control_.Row().kind;
  if (kind == ControlKind::kDropDownList || kind == ControlKind::kDriveList) {
    r.bottom += kDroppedRows * (LineHeight(window_.Measure(), font_) + 2) + 2;
  }
  return r;
}

void Control::Layout(int dpi) {
  font_ = window_.FontOf(control_.Row().font);
  SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  const RECT r = Geometry(dpi);
  SetWindowPos(hwnd_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
  Fit(dpi);
  InvalidateRect(hwnd_, nullptr, TRUE);
}

void Control::SetAccessibleName(std::wstring name) {
  accessibleName_ = std::move(name);
  StartIntercepting();
}

void Control::StartIntercepting() {
  if (original_ != nullptr) return;
  // The control's own data word, not a window property: Wine asks its
  // server for a property, and every message to the control looks it up.
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  original_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Intercepted)));
}

bool Control::Intercept(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message != WM_GETOBJECT || accessibleName_.empty()) return false;
  result = AnswerGetObject(hwnd_, wParam, lParam, accessibleName_, 0);
  return result != 0;
}

LRESULT CALLBACK Control::Intercepted(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* c = reinterpret_cast<Control*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  LRESULT result = 0;
  if (c->Intercept(message, wParam, lParam, result)) return result;
  const WNDPROC original = c->original_;
  // The window goes before its adapter: the handle may name another
  // window from now on.
  if (message == WM_NCDESTROY) c->StopIntercepting();
  return CallWindowProcW(original, hwnd, message, wParam, lParam);
}

void Control::StopIntercepting() {
  if (original_ == nullptr) return;
  SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
  original_ = nullptr;
}

class LabelControl final : public Control {
 public:
  LabelControl(FormWindow& window, forms::BoundControl& c)
      : Control(window, c, L"STATIC",
                // A value label breaks its text at spaces; what does not fit is cut off.
                c.Row().kind == ControlKind::kValueLabel ? SS_LEFT | SS_NOPREFIX | WS_BORDER
                                                         : SS_LEFTNOWORDWRAP | SS_NOPREFIX) {
    Fit(0);
  }
  void ShowText(const std::string& text) override {
    SetWindowTextW(hwnd_, Wide(text).c_str());
    Fit(0);
  }
  bool Colour(HDC dc, LRESULT& brush) const override {
    if (control_.Row().kind == ControlKind::kValueLabel) {
      SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
      SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
      brush = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    } else {
      // The caption colour on the window's background, which shows through.
      SetTextColor(dc, CaptionColour());
      SetBkMode(dc, TRANSPARENT);
      brush = reinterpret_cast<LRESULT>(BackgroundBrush());
    }
    return true;
  }

 protected:
  // A caption label sizes itself to its text, from its top-left corner.
  void Fit(int) override {
    if (control_.Row().kind != ControlKind::kCaptionLabel) return;
    const std::wstring text = WindowText(hwnd_);
    const HDC measure = window_.Measure();
    const HGDIOBJ previous = SelectObject(measure, font_);
    RECT r{};
    DrawTextW(measure, text.c_str(), static_cast<int>(text.size()), &r,
              DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS);
    SelectObject(measure, previous);
    const int height = text.empty() ? LineHeight(measure, font_) : r.bottom;
    SetWindowPos(hwnd_, nullptr, 0, 0, r.right, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
};

class ButtonControl final : public Control {
 public:
  ButtonControl(FormWindow& window, forms::BoundControl& c)
      : Control(window, c, L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP) {}
  void Notify(int code) override {
    if (code == BN_CLICKED) control_.Clicked();
  }
  // What a themed button leaves around its rounded corners.
  bool Colour(HDC, LRESULT& brush) const override {
    brush = reinterpret_cast<LRESULT>(BackgroundBrush());
    return true;
  }
};

class ListControl final : public Control {
 public:
  ListControl(FormWindow& window, forms::BoundControl& c)
      : Control(window, c, L"COMBOBOX",
                CBS_DROPDOWNLIST | CBS_HASSTRINGS | WS_VSCROLL | WS_TABSTOP) {
    SendMessageW(hwnd_, CB_SETMINVISIBLE, kDroppedRows, 0);
    Fit(window.Dpi());
    if (c.Binding().gotFocus) StartIntercepting();  // to see where the focus comes from
  }

  // Every row is a string of the list, as the eye sees it: screen readers
  // read it (CB_GETLBTEXT, WM_GETTEXT) and a typed letter finds it.
  void ShowRows() override {
    const forms::ComboList& model = *control_.Binding().list;
    const int count = model.ListCount();
    SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
    SendMessageW(hwnd_, CB_RESETCONTENT, 0, 0);
    // Room for all rows at once, not one reallocation after another.
    SendMessageW(hwnd_, CB_INITSTORAGE, static_cast<WPARAM>(count),
                 static_cast<LPARAM>(count) * kRowBytes);
    for (int row = 0; row < count; ++row) {
      const auto at = SendMessageW(hwnd_, CB_ADDSTRING, 0,
                                   reinterpret_cast<LPARAM>(Wide(model.RowText(row)).c_str()));
      if (const std::int32_t data = model.ItemData(row); data != 0) {
        SendMessageW(hwnd_, CB_SETITEMDATA, static_cast<WPARAM>(at), data);
      }
    }
    ShowListIndex(model.ListIndex());
    SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hwnd_, nullptr, TRUE);
  }
  void ShowListIndex(int index) override {
    SendMessageW(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  }
  // A pick by arrow key, mouse or typed letter.
  void Notify(int code) override {
    if (code == CBN_SELCHANGE) {
      control_.Picked(static_cast<int>(SendMessageW(hwnd_, CB_GETCURSEL, 0, 0)));
    } else if (code == CBN_SETFOCUS && FocusFromUser()) {
      control_.FocusedByUser();
    }
  }

 protected:
  void Fit(int dpi) override {
    const RECT r = ControlRect(control_.Row(), dpi);
    SetClosedHeight(hwnd_, r.bottom - r.top);
  }
  bool Intercept(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    if (message == WM_SETFOCUS) focusFrom_ = reinterpret_cast<HWND>(wParam);
    return Control::Intercept(message, wParam, lParam, result);
  }

 private:
  // What CB_INITSTORAGE reserves for a row's text: a map row of a padded
  // name, a mark and a short comment, in UTF-16.
  static constexpr LPARAM kRowBytes = 120;

  // From another control of this window: the user moved there (mouse,
  // Tab). Not from nowhere (the window became active again) and not from
  // the list's own drop-down closing.
  bool FocusFromUser() const {
    const HWND from = focusFrom_;
    if (from == nullptr || from == hwnd_ || IsChild(hwnd_, from)) return false;
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (GetComboBoxInfo(hwnd_, &info) && from == info.hwndList) return false;
    return IsChild(window_.Handle(), from) != FALSE;
  }

  HWND focusFrom_ = nullptr;  // the window that last gave it the focus (while intercepting)
};

class TextBoxControl final : public Control {
 public:
  TextBoxControl(FormWindow& window, forms::BoundControl& c)
      : Control(window, c, L"EDIT", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE) {
    SendMessageW(hwnd_, EM_SETLIMITTEXT, 0, 0);  // no limit
  }
  void ShowText(const std::string& text) override {
    const std::wstring shown = Wide(text);
    if (WindowText(hwnd_) == shown) return;
    syncing_ = true;
    SetWindowTextW(hwnd_, shown.c_str());
    syncing_ = false;
  }
  void Notify(int code) override {
    if (code == EN_CHANGE && !syncing_) control_.Edited(Narrow(WindowText(hwnd_)));
  }

 private:
  bool syncing_ = false;  // the view is being set from the model
};

// Each entry's string is the folder's name alone, so a typed letter finds
// it and a screen reader reads what the eye sees; the indent is drawn.
class FolderListControl final : public Control {
 public:
  FolderListControl(FormWindow& window, forms::BoundControl& c)
      : Control(window, c, L"LISTBOX",
                LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS |
                    WS_VSCROLL | WS_TABSTOP,
                WS_EX_CLIENTEDGE),
        model_(*c.Binding().folderList) {
    Fit(0);
  }
  void ShowFolders() override {
    SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
    SendMessageW(hwnd_, LB_RESETCONTENT, 0, 0);
    for (const forms::FolderList::Entry& entry : model_.Entries()) {
      SendMessageW(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(entry.name).c_str()));
    }
    SendMessageW(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(model_.ListIndex()), 0);
    SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hwnd_, nullptr, TRUE);
  }
  void Notify(int code) override {
    const auto index = static_cast<int>(SendMessageW(hwnd_, LB_GETCURSEL, 0, 0));
    if (code == LBN_SELCHANGE) control_.Highlighted(index);
    if (code == LBN_DBLCLK) control_.Opened(index);
  }
  // The name, indented by two spaces' width a level: the path from the root
  // down, then the subfolders.
  bool Draw(const DRAWITEMSTRUCT& item) const override {
    const HDC dc = item.hDC;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillRect(dc, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    const auto& entries = model_.Entries();
    if (item.itemID < entries.size()) {
      const forms::FolderList::Entry& entry = entries[item.itemID];
      const std::wstring text = Wide(entry.name);
      const HGDIOBJ previous = SelectObject(dc, font_);
      SIZE space{};
      GetTextExtentPoint32W(dc, L"  ", 2, &space);
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
      RECT r = item.rcItem;
      r.left += 2 + entry.depth * space.cx;
      DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r,
                DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
      SelectObject(dc, previous);
    }
    if ((item.itemState & ODS_FOCUS) != 0 && (item.itemState & ODS_NOFOCUSRECT) == 0) {
      DrawFocusRect(dc, &item.rcItem);
    }
    return true;
  }

 protected:
  // An owner-drawn list keeps the item height of its creation.
  void Fit(int) override {
    SendMessageW(hwnd_, LB_SETITEMHEIGHT, 0, LineHeight(window_.Measure(), font_));
  }

 private:
  const forms::FolderList& model_;
};

std::unique_ptr<Control> MakeControl(FormWindow& window, forms::BoundControl& control) {
  return forms::MakeControlOfKind<Control, LabelControl, ButtonControl, ListControl, TextBoxControl,
                                  FolderListControl>(window, control);
}

}  // namespace tarq::ui::win32
