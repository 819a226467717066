#include "platform/memory.h"

namespace tarq::platform {

// The Windows heap keeps freed blocks for reuse on its own.
void KeepLargeBuffersInHeap() {}

}  // namespace tarq::platform
