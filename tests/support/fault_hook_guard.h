#pragma once
// Puts a table of the file writer's calls in for one scope and the system's
// back on the way out, a failed assertion included, so no later test
// inherits it. FaultHookGuard puts in the system's calls with a hook asked
// before each stage.

#include <functional>
#include <utility>

#include "platform/fs.h"

namespace tarq::testing {

class WriterCallsGuard final {
 public:
  explicit WriterCallsGuard(platform::WriterCalls calls) {
    platform::SetWriterCalls(std::move(calls));
  }
  ~WriterCallsGuard() { platform::SetWriterCalls(platform::SystemWriterCalls()); }
  WriterCallsGuard(const WriterCallsGuard&) = delete;
  WriterCallsGuard& operator=(const WriterCallsGuard&) = delete;
};

class FaultHookGuard final {
 public:
  explicit FaultHookGuard(std::function<bool(platform::IoStage stage, int index)> hook)
      : guard_(WithHook(std::move(hook))) {}

 private:
  static platform::WriterCalls WithHook(std::function<bool(platform::IoStage, int)> hook) {
    platform::WriterCalls calls = platform::SystemWriterCalls();
    calls.beforeStage = std::move(hook);
    return calls;
  }
  WriterCallsGuard guard_;
};

}  // namespace tarq::testing
