#pragma once
// The Win32 file code's own parts that tests reach; not part of the
// platform's interface.

#include <functional>
#include <string>

namespace tarq::platform::win32 {

// The file that DataFolder makes and removes at once to learn whether a
// folder can be written: a name of this process's own, so that launchers
// started together never meet on it.
std::string WriteProbeName();

// Runs `attempt` again while it fails because another program holds the
// file open for a moment (antivirus, the search indexer, a sync client,
// another launcher reading: ERROR_ACCESS_DENIED or ERROR_SHARING_VIOLATION),
// every few milliseconds for a quarter of a second. The last attempt's
// result, its error left as the last error.
bool RetryWhileHeld(const std::function<bool()>& attempt);

}  // namespace tarq::platform::win32
