#pragma once
// Sets the file writer's fault hook for one scope and clears it on the way
// out, a failed assertion included, so no later test inherits it.

#include <utility>

#include "platform/fs.h"

namespace tarq::testing {

class FaultHookGuard final {
 public:
  explicit FaultHookGuard(platform::FaultHook hook) { platform::SetFaultHook(std::move(hook)); }
  ~FaultHookGuard() { platform::SetFaultHook(nullptr); }
  FaultHookGuard(const FaultHookGuard&) = delete;
  FaultHookGuard& operator=(const FaultHookGuard&) = delete;
};

}  // namespace tarq::testing
