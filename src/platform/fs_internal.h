#pragma once
// Shared by the POSIX and Win32 file code; not part of the platform's interface.

#include "platform/fs.h"

namespace tarq::platform::detail {

// False when the test fault hook makes this stage fail.
bool StageAllowed(IoStage stage, int index);

inline constexpr std::size_t kWriteChunk = 1 << 16;

// Writes all of data to an open file of AtomicFileWriter's; false on failure.
bool WriteToHandle(intptr_t handle, const char* data, std::size_t size);

}  // namespace tarq::platform::detail
