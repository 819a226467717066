#pragma once
// The launcher's look in plain Win32: black windows, yellow captions, the
// shared icon, the Japanese fonts the controls name, all at a window's DPI.
// Calls that only newer Windows versions have are looked up at run time, so
// tarq.exe starts on any 64-bit Windows.

#include <windows.h>

#include "forms/layout.h"
#include "platform/win32/wide.h"

namespace tarq::ui::win32 {

using platform::win32::Narrow;
using platform::win32::Wide;

// The window's DPI: its own, else its monitor's (Windows 8.1, and 10 before
// 1607), else the system's.
int WindowDpi(HWND window);

// The text size the user chose (Settings › Accessibility › Text size), in
// percent: 100 to 225, 100 without the setting. Read once, and again after
// SystemSettingsChanged.
int TextScale();
// Pixels for twips in a window at a DPI. The text size grows the layout on
// top of the DPI, as a DPI step would; the message font has grown with it.
int TwipsToPixels(int twips, int dpi);

// Pixels for a control's place and size at a DPI.
RECT ControlRect(const forms::ControlLayout& c, int dpi);

// The frame styles of a kind of window.
DWORD WindowStyle(forms::WindowKind kind);
DWORD WindowExStyle(forms::WindowKind kind);
// The window rectangle around a client area of that size at a DPI, whose
// top-left corner is at `clientLeft`, `clientTop`.
RECT FrameAround(forms::WindowKind kind, int clientLeft, int clientTop, int width, int height,
                 int dpi);

// A font of the layout at a DPI: a named font requested with the Japanese
// character set, grown by the text size, or (no family) the system's
// message font, which Windows grows by it; each replaced by
// an installed face that draws Japanese as it should when it does not
// (system_fonts.h). The caller deletes it.
HFONT MakeFont(const forms::FontSpec& font, int dpi);

constexpr COLORREF Rgb(forms::Colour c) {
  return RGB(c.red, c.green, c.blue);
}

// True while the user has chosen high contrast: the windows then show the
// system's window colours instead of the launcher's black and yellow.
bool HighContrast();
// High contrast may have come or gone, the text size changed: HighContrast()
// and TextScale() ask the system again.
void SystemSettingsChanged();
// The brush of every window's background, and the caption labels' text
// colour on it.
HBRUSH BackgroundBrush();
COLORREF CaptionColour();

// The icon from the program's resources, `size` pixels square. The caller
// destroys it.
HICON AppIcon(int size);
// The window's big and small icons for a DPI, made again on each call; the
// window's former ones are destroyed. DropAppIcons, at its end, destroys
// the last ones.
void SetAppIcons(HWND window, int dpi);
void DropAppIcons(HWND window);
// A new window's icons: its class's, made at the system DPI, where that is
// its DPI (so it sends none to the window manager twice); else SetAppIcons.
void FitAppIcons(HWND window, int dpi);

}  // namespace tarq::ui::win32
