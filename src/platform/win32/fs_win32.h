#pragma once
// The Win32 file code's own parts that tests reach; not part of the
// platform's interface.

#include <string>

namespace tarq::platform::win32 {

// The file that DataFolder makes and removes at once to learn whether a
// folder can be written: a name of this process's own, so that launchers
// started together never meet on it.
std::string WriteProbeName();

}  // namespace tarq::platform::win32
