// The floor of row W1: the least Win32 program that shows the launcher's
// main window. The shown controls of the layout table, of the same window
// classes and styles, at the same places and in the same fonts, with the
// option rows filled and the value labels holding texts of the usual
// length; the same manifest and icon (it carries tarq.exe's resources). It
// reads no file and holds no form model: what tarq.exe does beyond this is
// the launcher's own work. Its one argument names the face tarq.exe draws
// its window font in, found by the benchmark: the floor pays for drawing in
// that face, not for finding it.

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "forms/layout.h"

namespace {

using tarq::forms::ControlKind;
using tarq::forms::ControlLayout;
using tarq::forms::TwipsToPixels;

constexpr int kFirstId = 100;
constexpr int kDroppedRows = 12;

std::wstring Wide(std::string_view text) {
  std::wstring wide(text.size(), L'\0');
  wide.resize(static_cast<std::size_t>(
      MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                          static_cast<int>(wide.size()))));
  return wide;
}

// What the launcher shows in the value labels and the lists' boxes on the
// benchmark's game folder, in texts of the same length.
std::wstring ShownText(std::string_view name) {
  if (name == "labHL") return L"Z:\\tmp\\tarq-bench-1234567890\\Half-Life";
  if (name == "labValve") return L"Z:\\tmp\\tarq-bench-1234567890\\Half-Life\\valve";
  if (name == "labMaps") return L"Z:\\tmp\\tarq-bench-1234567890\\Half-Life\\valve\\maps";
  if (name == "labCommand") return L"-heapsize 32000 -game valve +skill 1";
  if (name == "cmbMapComment") return L"C00000_xxxx.BSP ◎ 難しい　ボス戦 No.0 remember the crowbar";
  return {};
}

// The rows the benchmark's settings file selects.
int SelectedRow(std::string_view name) {
  if (name == "cmbDiff") return 1;
  if (name == "cmbMemory") return 2;
  return 0;
}

HFONT MakeFont(const tarq::forms::FontSpec& font, int dpi, std::wstring_view windowFace) {
  if (font.family.empty()) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    LOGFONTW& f = metrics.lfMessageFont;
    if (!windowFace.empty() && windowFace != f.lfFaceName) {
      f.lfCharSet = SHIFTJIS_CHARSET;
      f.lfFaceName[windowFace.copy(f.lfFaceName, LF_FACESIZE - 1)] = L'\0';
    }
    return CreateFontIndirectW(&f);
  }
  LOGFONTW f{};
  f.lfHeight = -MulDiv(font.points, dpi, 72);
  f.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
  f.lfItalic = font.italic ? TRUE : FALSE;
  f.lfCharSet = SHIFTJIS_CHARSET;
  Wide(font.family).copy(f.lfFaceName, LF_FACESIZE - 1);
  return CreateFontIndirectW(&f);
}

struct Shown {
  HWND hwnd;
  ControlKind kind;
};
std::vector<Shown> gShown;

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  switch (message) {
    case WM_CTLCOLORSTATIC:
      for (const Shown& s : gShown) {
        if (s.hwnd != reinterpret_cast<HWND>(lParam)) continue;
        if (s.kind != ControlKind::kCaptionLabel && s.kind != ControlKind::kValueLabel) break;
        const HDC dc = reinterpret_cast<HDC>(wParam);
        if (s.kind == ControlKind::kValueLabel) {
          SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
          SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
          return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        }
        SetTextColor(dc, RGB(255, 255, 0));
        SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<LRESULT>(black);
      }
      break;
    case WM_CTLCOLORBTN:
      return reinterpret_cast<LRESULT>(black);
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

int LineHeight(HDC dc, HFONT font) {
  SelectObject(dc, font);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  return metrics.tmHeight;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR argument, int showCommand) {
  std::wstring_view windowFace = argument;
  if (windowFace.size() >= 2 && windowFace.front() == L'"' && windowFace.back() == L'"') {
    windowFace = windowFace.substr(1, windowFace.size() - 2);
  }
  const tarq::forms::WindowLayout& layout = tarq::forms::kFrmMainLayout;
  WNDCLASSEXW c{};
  c.cbSize = sizeof c;
  c.lpfnWndProc = WindowProc;
  c.hInstance = instance;
  c.hIcon =
      static_cast<HICON>(LoadImageW(instance, L"IDI_ICON1", IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                                    GetSystemMetrics(SM_CXICON), LR_SHARED));
  c.hIconSm = static_cast<HICON>(LoadImageW(instance, L"IDI_ICON1", IMAGE_ICON,
                                            GetSystemMetrics(SM_CXSMICON),
                                            GetSystemMetrics(SM_CXSMICON), LR_SHARED));
  c.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  c.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  c.lpszClassName = L"TARQ.Floor";
  RegisterClassExW(&c);

  const HDC measure = CreateCompatibleDC(nullptr);
  const int dpi = GetDeviceCaps(measure, LOGPIXELSY);
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  RECT frame{0, 0, TwipsToPixels(layout.width, dpi), TwipsToPixels(layout.height, dpi)};
  AdjustWindowRectEx(&frame, style, FALSE, WS_EX_CONTROLPARENT);
  const HWND window =
      CreateWindowExW(WS_EX_CONTROLPARENT, c.lpszClassName, Wide(layout.caption).c_str(), style,
                      CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                      frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);

  const HFONT windowFont = MakeFont({}, dpi, windowFace);
  HWND focus = nullptr;
  int id = kFirstId;
  for (const ControlLayout& l : layout.controls) {
    if (!l.visible || l.kind == ControlKind::kFileList) continue;
    const HFONT font = l.font.family.empty() ? windowFont : MakeFont(l.font, dpi, {});
    int left = TwipsToPixels(l.left, dpi), top = TwipsToPixels(l.top, dpi);
    int width = TwipsToPixels(l.width, dpi), height = TwipsToPixels(l.height, dpi);
    std::wstring text = Wide(l.caption);
    const wchar_t* windowClass = L"STATIC";
    DWORD controlStyle = WS_CHILD | WS_VISIBLE | (l.enabled ? 0 : WS_DISABLED);
    switch (l.kind) {
      case ControlKind::kCaptionLabel: {
        controlStyle |= SS_LEFTNOWORDWRAP | SS_NOPREFIX;
        // Sized to its text.
        SelectObject(measure, font);
        RECT r{};
        DrawTextW(measure, text.c_str(), static_cast<int>(text.size()), &r,
                  DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS);
        width = r.right;
        height = r.bottom;
        break;
      }
      case ControlKind::kValueLabel:
        controlStyle |= SS_LEFT | SS_NOPREFIX | WS_BORDER;
        text = ShownText(l.name);
        break;
      case ControlKind::kButton:
        windowClass = L"BUTTON";
        controlStyle |= BS_PUSHBUTTON | WS_TABSTOP;
        break;
      default:  // the drop-down lists: as high as they drop down
        windowClass = L"COMBOBOX";
        controlStyle |= CBS_DROPDOWNLIST | CBS_HASSTRINGS | WS_VSCROLL | WS_TABSTOP;
        height += kDroppedRows * (LineHeight(measure, font) + 2) + 2;
        break;
    }
    const HWND hwnd = CreateWindowExW(
        0, windowClass, text.c_str(), controlStyle, left, top, width, height, window,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id++)), instance, nullptr);
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    gShown.push_back({hwnd, l.kind});
    if (l.kind == ControlKind::kDropDownList) {
      for (const auto& row : l.rows) {
        SendMessageW(hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(row.text).c_str()));
      }
      if (l.rows.empty()) {
        SendMessageW(hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ShownText(l.name).c_str()));
      }
      SendMessageW(hwnd, CB_SETCURSEL, static_cast<WPARAM>(SelectedRow(l.name)), 0);
      // The closed box as high as the table says.
      RECT r{};
      GetWindowRect(hwnd, &r);
      const auto field = SendMessageW(hwnd, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
      const int want = TwipsToPixels(l.height, dpi);
      if (r.bottom - r.top != want) {
        SendMessageW(hwnd, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1),
                     field + want - (r.bottom - r.top));
      }
    }
    if (&l == layout.FirstFocus()) focus = hwnd;
  }
  DeleteDC(measure);
  ShowWindow(window, showCommand);
  UpdateWindow(window);
  SetFocus(focus);
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (IsDialogMessageW(window, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
