#pragma once
// The launcher's message loop. The keyboard input of its windows goes to
// the dialog manager first (IsDialogMessageW), which moves the focus with
// Tab in the order of the controls and reports Enter to the window.

#include <windows.h>

namespace tarq::ui::win32 {

// Dispatches one message.
void Dispatch(MSG& message);

// Runs until WM_QUIT; returns its exit code.
int RunMessageLoop();

}  // namespace tarq::ui::win32
