#pragma once
// Every stage of a file write made to fail in turn, for the tests and the
// soak that check that a failed write leaves the old file as it was.

#include <functional>
#include <string>
#include <vector>

namespace tarq::testing {

struct FaultStages {
  int stages = 0;                     // stages made to fail
  std::vector<std::string> failures;  // the stages after which a check failed, described
};

// Runs `write` once without a fault to learn the stages it passes, as the
// file writer's fault hook sees them (each write to the file a stage of its
// own), then once with each of those stages failing. reset() puts the old
// file back before every run; `write` returns whether the write succeeded.
// A stage passes when the write reports failure and intact() holds.
FaultStages FailEachStage(const std::function<void()>& reset, const std::function<bool()>& write,
                          const std::function<bool()>& intact);

}  // namespace tarq::testing
