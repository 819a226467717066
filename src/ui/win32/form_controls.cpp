#include "ui/win32/form_controls.h"

#include <string>

#include "forms/controls.h"
#include "forms/folder_list.h"
#include "ui/win32/look.h"

namespace tarq::ui::win32 {
namespace {

using forms::ControlKind;

constexpr int kFirstId = 100;  // clear of IDOK and IDCANCEL, which the dialog manager sends
constexpr int kDroppedRows = 12;

bool IsLabel(ControlKind kind) {
  return kind == ControlKind::kCaptionLabel || kind == ControlKind::kFixedCaptionLabel ||
         kind == ControlKind::kValueLabel;
}

std::wstring WindowText(HWND hwnd) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
  return text;
}

bool IsList(ControlKind kind) {
  return kind == ControlKind::kDropDownList || kind == ControlKind::kDriveList;
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

struct FormControls::Control {
  const forms::ControlLayout* layout = nullptr;
  forms::ControlBinding binding;
  int id = 0;
  HWND hwnd = nullptr;
  HFONT font = nullptr;      // its own font, or the window font
  bool ownerDrawn = false;   // a list that draws its rows from a row source
  bool syncing = false;      // the view is being set from the model
  HWND focusFrom = nullptr;  // the window that last gave it the focus
  WNDPROC original = nullptr;
};

FormControls::FormControls(HWND window, const forms::WindowLayout& layout, const Lookup& lookup)
    : window_(window), layout_(layout), measure_(CreateCompatibleDC(nullptr)) {
  const int dpi = WindowDpi(window);
  windowFont_ = MakeFont({}, dpi);
  fonts_.push_back(windowFont_);
  int id = kFirstId;
  for (const forms::ControlLayout& c : layout.controls) {
    if (!c.visible || c.kind == ControlKind::kFileList) continue;
    auto control = std::make_unique<Control>();
    control->layout = &c;
    control->binding = lookup(c.name);
    control->id = id++;
    control->font = FontOf(c, dpi);
    Make(*control, dpi);
    controls_.push_back(std::move(control));
  }
  // The dialog manager's Tab key follows the order of the child windows.
  for (const forms::ControlLayout* c : layout.TabOrder()) {
    if (HWND hwnd = Find(c->name)) {
      SetWindowPos(hwnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
  }
  for (const auto& c : controls_) Bind(*c);
}

FormControls::~FormControls() {
  Release();
  for (const auto& c : controls_) {
    if (c->original != nullptr && IsWindow(c->hwnd)) {
      SetWindowLongPtrW(c->hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(c->original));
      SetWindowLongPtrW(c->hwnd, GWLP_USERDATA, 0);
    }
  }
  for (HFONT font : fonts_) DeleteObject(font);
  DeleteDC(measure_);
}

HFONT FormControls::FontOf(const forms::ControlLayout& c, int dpi) {
  if (c.font.family.empty()) return windowFont_;
  fonts_.push_back(MakeFont(c.font, dpi));
  return fonts_.back();
}

int FormControls::LineHeight(HFONT font) const {
  const HGDIOBJ previous = SelectObject(measure_, font);
  TEXTMETRICW metrics{};
  GetTextMetricsW(measure_, &metrics);
  SelectObject(measure_, previous);
  return metrics.tmHeight;
}

RECT FormControls::Geometry(const Control& c, int dpi) const {
  RECT r = ControlRect(*c.layout, dpi);
  // The height a combo box is given is the height it has dropped down.
  if (IsList(c.layout->kind)) r.bottom += kDroppedRows * (LineHeight(c.font) + 2) + 2;
  return r;
}

void FormControls::Make(Control& c, int dpi) {
  const forms::ControlLayout& l = *c.layout;
  const wchar_t* windowClass = L"STATIC";
  DWORD style = WS_CHILD | WS_VISIBLE;
  DWORD exStyle = 0;
  switch (l.kind) {
    case ControlKind::kCaptionLabel:
    case ControlKind::kFixedCaptionLabel:
      style |= SS_LEFTNOWORDWRAP | SS_NOPREFIX;
      break;
    case ControlKind::kValueLabel:
      // Breaks its text at spaces; what does not fit is cut off.
      style |= SS_LEFT | SS_NOPREFIX | WS_BORDER;
      break;
    case ControlKind::kButton:
      windowClass = L"BUTTON";
      style |= BS_PUSHBUTTON | WS_TABSTOP;
      break;
    case ControlKind::kDropDownList:
    case ControlKind::kDriveList:
      windowClass = L"COMBOBOX";
      style |= CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
      c.ownerDrawn = c.binding.list != nullptr && c.binding.list->ShowsRowSource();
      style |= c.ownerDrawn ? CBS_OWNERDRAWFIXED : CBS_HASSTRINGS;
      break;
    case ControlKind::kTextBox:
      windowClass = L"EDIT";
      style |= ES_AUTOHSCROLL | WS_TABSTOP;
      exStyle |= WS_EX_CLIENTEDGE;
      break;
    case ControlKind::kFolderList:
      windowClass = L"LISTBOX";
      style |= LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP;
      exStyle |= WS_EX_CLIENTEDGE;
      break;
    case ControlKind::kFileList:
      return;
  }
  if (!l.enabled) style |= WS_DISABLED;
  // Made where it stands, in its font: moving controls costs Wine a server
  // call each.
  const RECT r = Geometry(c, dpi);
  c.hwnd = CreateWindowExW(exStyle, windowClass, Wide(l.caption).c_str(), style, r.left, r.top,
                           r.right - r.left, r.bottom - r.top, window_,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)),
                           GetModuleHandleW(nullptr), nullptr);
  SendMessageW(c.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(c.font), FALSE);
  Fit(c, dpi);
  if (l.kind == ControlKind::kTextBox) SendMessageW(c.hwnd, EM_SETLIMITTEXT, 0, 0);  // no limit
  if (c.binding.gotFocus) {
    // The control's own data word, not a window property: Wine asks its
    // server for a property, and every message to the control looks it up.
    SetWindowLongPtrW(c.hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&c));
    c.original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(c.hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WatchFocus)));
  }
}

void FormControls::Fit(Control& c, int dpi) const {
  if (IsList(c.layout->kind)) {
    if (c.ownerDrawn) SendMessageW(c.hwnd, CB_SETITEMHEIGHT, 0, LineHeight(c.font) + 2);
    const RECT r = ControlRect(*c.layout, dpi);
    SetClosedHeight(c.hwnd, r.bottom - r.top);
  } else if (c.layout->kind == ControlKind::kCaptionLabel) {
    FitLabel(c);
  }
}

void FormControls::Layout(int dpi) {
  std::vector<HFONT> old = std::move(fonts_);
  fonts_.clear();
  windowFont_ = MakeFont({}, dpi);
  fonts_.push_back(windowFont_);
  for (const auto& c : controls_) {
    c->font = FontOf(*c->layout, dpi);
    SendMessageW(c->hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(c->font), FALSE);
    const RECT r = Geometry(*c, dpi);
    SetWindowPos(c->hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    Fit(*c, dpi);
    InvalidateRect(c->hwnd, nullptr, TRUE);
  }
  for (HFONT font : old) DeleteObject(font);
}

void FormControls::FitLabel(Control& c) const {
  const std::wstring text = WindowText(c.hwnd);
  const HGDIOBJ previous = SelectObject(measure_, c.font);
  RECT r{};
  DrawTextW(measure_, text.c_str(), static_cast<int>(text.size()), &r,
            DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS);
  SelectObject(measure_, previous);
  const int height = text.empty() ? LineHeight(c.font) : r.bottom;
  SetWindowPos(c.hwnd, nullptr, 0, 0, r.right, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormControls::Bind(Control& c) {
  const forms::ControlBinding& b = c.binding;
  Control* const control = &c;
  if (b.label != nullptr) {
    auto show = [this, control] {
      SetWindowTextW(control->hwnd, Wide(control->binding.label->Caption()).c_str());
      if (control->layout->kind == ControlKind::kCaptionLabel) FitLabel(*control);
    };
    show();
    b.label->Observer = show;
  }
  if (b.textBox != nullptr) {
    auto show = [control] {
      const std::wstring text = Wide(control->binding.textBox->Text());
      if (WindowText(control->hwnd) == text) return;
      control->syncing = true;
      SetWindowTextW(control->hwnd, text.c_str());
      control->syncing = false;
    };
    show();
    b.textBox->Observer = show;
  }
  if (b.list != nullptr) {
    auto select = [control] {
      SendMessageW(control->hwnd, CB_SETCURSEL,
                   static_cast<WPARAM>(control->binding.list->ListIndex()), 0);
    };
    auto fill = [control, select] {
      const HWND hwnd = control->hwnd;
      const forms::ComboList& model = *control->binding.list;
      const int count = model.ListCount();
      SendMessageW(hwnd, WM_SETREDRAW, FALSE, 0);
      if (control->ownerDrawn) {
        // The rows are drawn from the model: only their number is kept.
        auto shown = static_cast<int>(SendMessageW(hwnd, CB_GETCOUNT, 0, 0));
        if (count < shown / 2) {
          SendMessageW(hwnd, CB_RESETCONTENT, 0, 0);
          shown = 0;
        }
        if (count > shown)
          SendMessageW(hwnd, CB_INITSTORAGE, static_cast<WPARAM>(count - shown), 0);
        for (; shown < count; ++shown) SendMessageW(hwnd, CB_ADDSTRING, 0, 0);
        for (; shown > count; --shown) {
          SendMessageW(hwnd, CB_DELETESTRING, static_cast<WPARAM>(shown - 1), 0);
        }
      } else {
        SendMessageW(hwnd, CB_RESETCONTENT, 0, 0);
        for (int row = 0; row < count; ++row) {
          const auto at = SendMessageW(hwnd, CB_ADDSTRING, 0,
                                       reinterpret_cast<LPARAM>(Wide(model.List(row)).c_str()));
          SendMessageW(hwnd, CB_SETITEMDATA, static_cast<WPARAM>(at), model.ItemData(row));
        }
      }
      select();
      SendMessageW(hwnd, WM_SETREDRAW, TRUE, 0);
      InvalidateRect(hwnd, nullptr, TRUE);
    };
    fill();
    b.list->Observer.rowsChanged = fill;
    b.list->Observer.listIndexChanged = select;
  }
  if (b.folderList != nullptr) {
    auto show = [control] {
      const HWND hwnd = control->hwnd;
      const forms::FolderList& model = *control->binding.folderList;
      SendMessageW(hwnd, WM_SETREDRAW, FALSE, 0);
      SendMessageW(hwnd, LB_RESETCONTENT, 0, 0);
      for (const forms::FolderList::Entry& entry : model.Entries()) {
        // Indented by depth: the path from the root down, then the subfolders.
        const std::wstring text =
            std::wstring(static_cast<std::size_t>(entry.depth) * 2, L' ') + Wide(entry.name);
        SendMessageW(hwnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
      }
      SendMessageW(hwnd, LB_SETCURSEL, static_cast<WPARAM>(model.ListIndex()), 0);
      SendMessageW(hwnd, WM_SETREDRAW, TRUE, 0);
      InvalidateRect(hwnd, nullptr, TRUE);
    };
    show();
    b.folderList->Observer = show;
  }
}

void FormControls::Release() {
  if (!bound_) return;
  bound_ = false;
  for (const auto& c : controls_) {
    const forms::ControlBinding& b = c->binding;
    if (b.label != nullptr) b.label->Observer = nullptr;
    if (b.textBox != nullptr) b.textBox->Observer = nullptr;
    if (b.list != nullptr) b.list->Observer = {};
    if (b.folderList != nullptr) b.folderList->Observer = nullptr;
  }
}

FormControls::Control* FormControls::ById(int id) const {
  for (const auto& c : controls_) {
    if (c->id == id) return c.get();
  }
  return nullptr;
}

FormControls::Control* FormControls::ByHandle(HWND hwnd) const {
  for (const auto& c : controls_) {
    if (c->hwnd == hwnd) return c.get();
  }
  return nullptr;
}

HWND FormControls::Find(std::string_view name) const {
  for (const auto& c : controls_) {
    if (c->layout->name == name) return c->hwnd;
  }
  return nullptr;
}

bool FormControls::Handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_COMMAND: {
      Control* c = ById(LOWORD(wParam));
      if (c == nullptr || reinterpret_cast<HWND>(lParam) != c->hwnd) return false;
      if (bound_) Notify(*c, HIWORD(wParam));
      result = 0;
      return true;
    }
    case WM_DRAWITEM: {
      const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      const Control* c = ById(static_cast<int>(item.CtlID));
      if (c == nullptr || !c->ownerDrawn) return false;
      Draw(*c, item);
      result = TRUE;
      return true;
    }
    case WM_CTLCOLORSTATIC: {
      const Control* c = ByHandle(reinterpret_cast<HWND>(lParam));
      if (c == nullptr || !IsLabel(c->layout->kind)) return false;
      const HDC dc = reinterpret_cast<HDC>(wParam);
      if (c->layout->kind == ControlKind::kValueLabel) {
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
      } else {
        // Yellow on the window's black, which shows through.
        SetTextColor(dc, kCaptionColour);
        SetBkMode(dc, TRANSPARENT);
        result = reinterpret_cast<LRESULT>(BackgroundBrush());
      }
      return true;
    }
    case WM_CTLCOLORBTN:
      // What a themed button leaves around its rounded corners.
      if (ByHandle(reinterpret_cast<HWND>(lParam)) == nullptr) return false;
      result = reinterpret_cast<LRESULT>(BackgroundBrush());
      return true;
    default:
      return false;
  }
}

void FormControls::Notify(Control& c, int code) {
  const forms::ControlBinding& b = c.binding;
  switch (c.layout->kind) {
    case ControlKind::kButton:
      // Wine reports a click for BM_CLICK on a disabled button; Windows does not.
      if (code == BN_CLICKED && b.click && IsWindowEnabled(c.hwnd)) b.click();
      break;
    case ControlKind::kDropDownList:
    case ControlKind::kDriveList:
      if (b.list != nullptr && code == CBN_SELCHANGE) {
        const auto row = SendMessageW(c.hwnd, CB_GETCURSEL, 0, 0);
        b.list->SetListIndex(static_cast<int>(row));
      } else if (code == CBN_SETFOCUS && b.gotFocus && FocusFromUser(c)) {
        b.gotFocus();
      }
      break;
    case ControlKind::kTextBox:
      if (b.textBox != nullptr && code == EN_CHANGE && !c.syncing) {
        b.textBox->SetText(Narrow(WindowText(c.hwnd)));
      }
      break;
    case ControlKind::kFolderList:
      if (b.folderList == nullptr) break;
      if (code == LBN_SELCHANGE) {
        b.folderList->SetListIndex(static_cast<int>(SendMessageW(c.hwnd, LB_GETCURSEL, 0, 0)));
      } else if (code == LBN_DBLCLK) {
        b.folderList->Open(static_cast<int>(SendMessageW(c.hwnd, LB_GETCURSEL, 0, 0)));
      }
      break;
    default:
      break;
  }
}

void FormControls::Enter() {
  if (!bound_) return;
  Control* c = ByHandle(GetFocus());
  if (c == nullptr) return;
  if (c->layout->kind == ControlKind::kButton) {
    Notify(*c, BN_CLICKED);
  } else if (c->layout->kind == ControlKind::kFolderList && c->binding.folderList != nullptr) {
    c->binding.folderList->Open(c->binding.folderList->ListIndex());
  }
}

bool FormControls::FocusFromUser(const Control& c) const {
  // From another control of this window: the user moved there (mouse, Tab).
  // Not from nowhere (the window became active again) and not from the
  // list's own drop-down closing.
  const HWND from = c.focusFrom;
  if (from == nullptr || from == c.hwnd || IsChild(c.hwnd, from)) return false;
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  if (GetComboBoxInfo(c.hwnd, &info) && from == info.hwndList) return false;
  return IsChild(window_, from) != FALSE;
}

LRESULT CALLBACK FormControls::WatchFocus(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* c = reinterpret_cast<Control*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (message == WM_SETFOCUS) c->focusFrom = reinterpret_cast<HWND>(wParam);
  return CallWindowProcW(c->original, hwnd, message, wParam, lParam);
}

void FormControls::Draw(const Control& c, const DRAWITEMSTRUCT& item) const {
  const HDC dc = item.hDC;
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  const bool disabled = (item.itemState & ODS_DISABLED) != 0;
  FillRect(dc, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  const forms::ComboList* model = c.binding.list;
  const int row = static_cast<int>(item.itemID);
  if (model != nullptr && row >= 0 && row < model->ListCount()) {
    const std::wstring text = Wide(model->List(row));
    const HGDIOBJ previous = SelectObject(dc, c.font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(disabled   ? COLOR_GRAYTEXT
                                 : selected ? COLOR_HIGHLIGHTTEXT
                                            : COLOR_WINDOWTEXT));
    RECT r = item.rcItem;
    r.left += 2;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    SelectObject(dc, previous);
  }
  if ((item.itemState & ODS_FOCUS) != 0 && (item.itemState & ODS_NOFOCUSRECT) == 0) {
    DrawFocusRect(dc, &item.rcItem);
  }
}

}  // namespace tarq::ui::win32
