#pragma once
// What screen readers hear of a window whose standard accessible object
// says too little: a control whose caption reads as noise ("..."), a
// control without a label, a dialog that would be announced as a plain
// window. The window answers WM_GETOBJECT for its client area with the
// system's standard object for it, which keeps its children, states and
// actions, giving a name or a role of its own in their place.
//
// Dynamic annotation (IAccPropServices) would say the same without the
// message, but Wine does not carry it, so the tests could not read it back.
// oleacc and oleaut32 are loaded when a screen reader first asks, not at
// every start.

#include <windows.h>

#include <string>

namespace tarq::ui::win32 {

// The answer to WM_GETOBJECT (`wParam`, `lParam`) for `window`: for its
// client area, the standard object reading `name` as the name unless it is
// empty and `role` (a ROLE_SYSTEM_ value) as the role unless it is 0; for
// another object, or where the system lacks the calls, 0, which leaves the
// message to the window's own procedure.
LRESULT AnswerGetObject(HWND window, WPARAM wParam, LPARAM lParam, const std::wstring& name,
                        LONG role);

}  // namespace tarq::ui::win32
