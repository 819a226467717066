#pragma once
// Shared by the POSIX and Win32 file code; not part of the platform's interface.

#include "platform/fs.h"

namespace tarq::platform::detail {

// False when the test fault hook makes this stage fail.
bool StageAllowed(IoStage stage, int index);

inline constexpr std::size_t kWriteChunk = 1 << 16;

}  // namespace tarq::platform::detail
