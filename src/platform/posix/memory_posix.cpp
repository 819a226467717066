#include "platform/memory.h"

#include <cstdint>
#include <cstdlib>  // defines __GLIBC__ on glibc

#if defined(__GLIBC__)
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace tarq::platform {

void KeepLargeBuffersInHeap() {
#if defined(__GLIBC__)
  mallopt(M_MMAP_THRESHOLD, 64 << 20);
  mallopt(M_TRIM_THRESHOLD, 256 << 20);
#if defined(MADV_POPULATE_WRITE)
  // The heap the main window needs, made resident in one call: taking a
  // page fault for each of its pages costs more than the whole window's
  // widgets on some virtual machines. The block goes back to the heap, which
  // is never trimmed below it.
  constexpr std::size_t kStartHeap = 1536 << 10;
  if (void* block = std::malloc(kStartHeap)) {
    const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    const auto first = (reinterpret_cast<std::uintptr_t>(block) + page - 1) & ~(page - 1);
    const auto end = (reinterpret_cast<std::uintptr_t>(block) + kStartHeap) & ~(page - 1);
    // Older kernels refuse the advice; the pages are then faulted in as used.
    if (end > first) madvise(reinterpret_cast<void*>(first), end - first, MADV_POPULATE_WRITE);
    std::free(block);
  }
#endif
#endif
}

}  // namespace tarq::platform
