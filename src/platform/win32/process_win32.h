#pragma once
// The Win32 process start's own part that tests reach; not part of the
// platform's interface.

#include "platform/process.h"

namespace tarq::platform::win32 {

// Starts the program as Explorer does, through ShellExecuteExW, with the
// same folder and command line as StartDetachedProcess: Windows then asks
// the user's consent for a program whose manifest asks to run as
// administrator, which CreateProcessW refuses (ERROR_ELEVATION_REQUIRED).
// True when it started, and when the user refused the consent: the user
// chose that, and no failure follows.
bool StartThroughShell(const ProcessStart& start);

}  // namespace tarq::platform::win32
