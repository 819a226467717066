#pragma once

namespace tarq::platform {

// Every map list rebuild makes buffers of several megabytes (the comment
// file, its text, the rows) and drops the previous ones. Left to the
// allocator's defaults they are fresh mappings each time, and touching them
// costs thousands of page faults per click. Called once at program start,
// this keeps such buffers in the heap for reuse, and makes the heap that
// start-up needs resident at once.
void KeepLargeBuffersInHeap();

}  // namespace tarq::platform
