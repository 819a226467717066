// The heap settings made at program start: large buffers stay in the heap,
// and the heap that start-up needs is resident before it is touched.

#include <gtest/gtest.h>

#include <cstdlib>  // defines __GLIBC__ on glibc
#include <cstring>

#include "platform/memory.h"

#if defined(__GLIBC__) && !defined(__SANITIZE_ADDRESS__)
#include <malloc.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <unistd.h>

namespace tarq::platform {
namespace {

long MinorFaults() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_minflt;
}

TEST(KeepLargeBuffersInHeap, LargeBuffersComeFromTheHeapAndStayThere) {
  KeepLargeBuffersInHeap();
  const std::size_t mapped = mallinfo2().hblkhd;
  constexpr std::size_t kBig = 8 << 20;  // far above the allocator's default mapping threshold
  void* big = std::malloc(kBig);
  ASSERT_NE(big, nullptr);
  EXPECT_EQ(mallinfo2().hblkhd, mapped) << "the buffer became a mapping of its own";
  std::free(big);
  EXPECT_GE(mallinfo2().arena, kBig) << "the heap gave the buffer back to the system";
}

TEST(KeepLargeBuffersInHeap, StartHeapIsResidentBeforeUse) {
#if defined(MADV_POPULATE_WRITE)
  void* probe = mmap(nullptr, 4096, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  ASSERT_NE(probe, MAP_FAILED);
  const bool supported = madvise(probe, 4096, MADV_POPULATE_WRITE) == 0;
  munmap(probe, 4096);
  if (!supported) GTEST_SKIP() << "this kernel cannot populate memory in advance";
  KeepLargeBuffersInHeap();
  constexpr std::size_t kUsed = 1 << 20;
  auto* block = static_cast<char*>(std::malloc(kUsed));
  ASSERT_NE(block, nullptr);
  const long before = MinorFaults();
  std::memset(block, 1, kUsed);
  const long faults = MinorFaults() - before;
  std::free(block);
  // Touching 256 fresh pages would take about 256 faults.
  EXPECT_LT(faults, 16);
#else
  GTEST_SKIP() << "built without MADV_POPULATE_WRITE";
#endif
}

}  // namespace
}  // namespace tarq::platform
#endif
