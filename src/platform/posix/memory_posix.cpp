#include "platform/memory.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace tarq::platform {

void KeepLargeBuffersInHeap() {
#if defined(__GLIBC__)
  mallopt(M_MMAP_THRESHOLD, 64 << 20);
  mallopt(M_TRIM_THRESHOLD, 256 << 20);
#endif
}

}  // namespace tarq::platform
