#pragma once
// Puts a table of the file writer's calls in for one scope, or the system's
// with a hook asked before each stage, and the system's back on the way
// out, a failed assertion included, so no later test inherits it.

#include <functional>
#include <utility>

#include "platform/fs.h"

namespace tarq::testing {

class WriterCallsGuard final {
 public:
  explicit WriterCallsGuard(platform::WriterCalls calls) {
    platform::SetWriterCalls(std::move(calls));
  }
  explicit WriterCallsGuard(std::function<bool(platform::IoStage stage, int index)> beforeStage) {
    platform::WriterCalls calls = platform::SystemWriterCalls();
    calls.beforeStage = std::move(beforeStage);
    platform::SetWriterCalls(std::move(calls));
  }
  ~WriterCallsGuard() { platform::SetWriterCalls(platform::SystemWriterCalls()); }
  WriterCallsGuard(const WriterCallsGuard&) = delete;
  WriterCallsGuard& operator=(const WriterCallsGuard&) = delete;
};

}  // namespace tarq::testing
