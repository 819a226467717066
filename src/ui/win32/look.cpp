#include "ui/win32/look.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "ui/win32/system_fonts.h"

namespace tarq::ui::win32 {
namespace {

// Per-monitor DPI calls of Windows 10 (1607 and later).
using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
using SystemParametersInfoForDpiFn = BOOL(WINAPI*)(UINT, UINT, void*, UINT, UINT);
using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
// Windows 8.1: shcore's DPI of a monitor; Vista: comctl32 6's icon loader.
using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI
using LoadIconWithScaleDownFn = HRESULT(WINAPI*)(HINSTANCE, PCWSTR, int, int, HICON*);

template <typename Fn>
Fn Lookup(HMODULE module, const char* name) {
  // A function pointer from GetProcAddress has to be cast to its real type.
  return module == nullptr
             ? nullptr
             : reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

template <typename Fn>
Fn User32(const char* name) {
  return Lookup<Fn>(GetModuleHandleW(L"user32.dll"), name);
}

int SystemDpi() {
  const HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

LOGFONTW MessageFont(int dpi) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  static const auto forDpi = User32<SystemParametersInfoForDpiFn>("SystemParametersInfoForDpi");
  if (forDpi != nullptr &&
      forDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, static_cast<UINT>(dpi))) {
    return metrics.lfMessageFont;
  }
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  metrics.lfMessageFont.lfHeight = MulDiv(metrics.lfMessageFont.lfHeight, dpi, SystemDpi());
  return metrics.lfMessageFont;
}

}  // namespace

int WindowDpi(HWND window) {
  static const auto forWindow = User32<GetDpiForWindowFn>("GetDpiForWindow");
  if (forWindow != nullptr && window != nullptr) {
    const UINT dpi = forWindow(window);
    if (dpi > 0) return static_cast<int>(dpi);
  }
  static const auto forMonitor = Lookup<GetDpiForMonitorFn>(
      LoadLibraryExW(L"shcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32), "GetDpiForMonitor");
  UINT x = 0, y = 0;
  if (forMonitor != nullptr && window != nullptr &&
      SUCCEEDED(
          forMonitor(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), kEffectiveDpi, &x, &y)) &&
      y > 0) {
    return static_cast<int>(y);
  }
  return SystemDpi();
}

namespace {

// Asked for at every layout and paint: read once, and again after the
// system says its colours or settings changed.
std::optional<bool>& KnownHighContrast() {
  static std::optional<bool> known;
  return known;
}
std::optional<int>& KnownTextScale() {
  static std::optional<int> known;
  return known;
}

// The DPI a layout and its named fonts are drawn at: the window's, grown by
// the text size.
int LayoutDpi(int dpi) {
  return MulDiv(dpi, TextScale(), 100);
}

}  // namespace

int TextScale() {
  std::optional<int>& known = KnownTextScale();
  if (!known) {
    // A DWORD of percent, which Settings keeps between 100 and 225.
    DWORD percent = 100;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Accessibility", 0, KEY_QUERY_VALUE,
                      &key) == ERROR_SUCCESS) {
      DWORD type = 0;
      DWORD size = sizeof percent;
      if (RegQueryValueExW(key, L"TextScaleFactor", nullptr, &type,
                           reinterpret_cast<BYTE*>(&percent), &size) != ERROR_SUCCESS ||
          type != REG_DWORD || size != sizeof percent) {
        percent = 100;
      }
      RegCloseKey(key);
    }
    known = std::clamp(static_cast<int>(percent), 100, 225);
  }
  return *known;
}

int TwipsToPixels(int twips, int dpi) {
  return forms::TwipsToPixels(twips, LayoutDpi(dpi));
}

RECT ControlRect(const forms::ControlLayout& c, int dpi) {
  const int left = TwipsToPixels(c.left, dpi);
  const int top = TwipsToPixels(c.top, dpi);
  return {left, top, left + TwipsToPixels(c.width, dpi), top + TwipsToPixels(c.height, dpi)};
}

DWORD WindowStyle(forms::WindowKind kind) {
  // Fixed frames: no sizing border, no maximise box.
  return kind == forms::WindowKind::kMain
             ? WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN
             : WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
}

DWORD WindowExStyle(forms::WindowKind kind) {
  // A tool window has no taskbar button.
  return WS_EX_CONTROLPARENT | (kind == forms::WindowKind::kMain ? 0 : WS_EX_TOOLWINDOW);
}

RECT FrameAround(forms::WindowKind kind, int clientLeft, int clientTop, int width, int height,
                 int dpi) {
  RECT r{clientLeft, clientTop, clientLeft + width, clientTop + height};
  static const auto forDpi = User32<AdjustWindowRectExForDpiFn>("AdjustWindowRectExForDpi");
  if (forDpi == nullptr ||
      !forDpi(&r, WindowStyle(kind), FALSE, WindowExStyle(kind), static_cast<UINT>(dpi))) {
    AdjustWindowRectEx(&r, WindowStyle(kind), FALSE, WindowExStyle(kind));
  }
  return r;
}

HFONT MakeFont(const forms::FontSpec& font, int dpi) {
  if (font.family.empty()) {
    const LOGFONTW window = JapaneseUiFont(MessageFont(dpi));
    return CreateFontIndirectW(&window);
  }
  LOGFONTW f{};
  f.lfHeight = -MulDiv(font.points, LayoutDpi(dpi), 72);  // the character height in points
  f.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
  f.lfItalic = font.italic ? TRUE : FALSE;
  f.lfCharSet = SHIFTJIS_CHARSET;
  f.lfQuality = DEFAULT_QUALITY;
  const std::wstring family = Wide(font.family);
  family.copy(f.lfFaceName, LF_FACESIZE - 1);
  // The map list's columns line up only in the one fixed-pitch face.
  f = font.family == forms::kGothic ? FixedPitchJapaneseFont(f) : JapaneseUiFont(f);
  return CreateFontIndirectW(&f);
}

bool HighContrast() {
  std::optional<bool>& known = KnownHighContrast();
  if (!known) {
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof contrast;
    known = SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
            (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
  }
  return *known;
}

void SystemSettingsChanged() {
  KnownHighContrast().reset();
  KnownTextScale().reset();
}

HBRUSH BackgroundBrush() {
  static const HBRUSH brush = CreateSolidBrush(Rgb(forms::kWindowColour));
  return HighContrast() ? GetSysColorBrush(COLOR_WINDOW) : brush;
}

COLORREF CaptionColour() {
  return HighContrast() ? GetSysColor(COLOR_WINDOWTEXT) : Rgb(forms::kCaptionColour);
}

HICON AppIcon(int size) {
  // Never LR_SHARED: Windows then gives the size it cached first, whatever
  // size is asked.
  static const auto scaleDown =
      Lookup<LoadIconWithScaleDownFn>(LoadLibraryW(L"comctl32.dll"), "LoadIconWithScaleDown");
  const HINSTANCE program = GetModuleHandleW(nullptr);
  HICON icon = nullptr;
  if (scaleDown != nullptr && SUCCEEDED(scaleDown(program, L"IDI_ICON1", size, size, &icon))) {
    return icon;
  }
  return static_cast<HICON>(
      LoadImageW(program, L"IDI_ICON1", IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

namespace {

// An icon size (SM_CXICON, SM_CXSMICON) at a DPI.
int IconSize(int metric, int dpi) {
  static const auto forDpi = User32<GetSystemMetricsForDpiFn>("GetSystemMetricsForDpi");
  if (forDpi != nullptr) return forDpi(metric, static_cast<UINT>(dpi));
  return MulDiv(GetSystemMetrics(metric), dpi, SystemDpi());
}

// Sets the window's icons to `big` and `little` and destroys the ones it had.
void ReplaceIcons(HWND window, HICON big, HICON little) {
  for (const auto& [which, icon] : {std::pair{ICON_BIG, big}, std::pair{ICON_SMALL, little}}) {
    const auto previous = reinterpret_cast<HICON>(
        SendMessageW(window, WM_SETICON, which, reinterpret_cast<LPARAM>(icon)));
    if (previous != nullptr) DestroyIcon(previous);
  }
}

}  // namespace

void SetAppIcons(HWND window, int dpi) {
  ReplaceIcons(window, AppIcon(IconSize(SM_CXICON, dpi)), AppIcon(IconSize(SM_CXSMICON, dpi)));
}

void DropAppIcons(HWND window) {
  ReplaceIcons(window, nullptr, nullptr);
}

void FitAppIcons(HWND window, int dpi) {
  if (dpi != SystemDpi()) SetAppIcons(window, dpi);
}

}  // namespace tarq::ui::win32
