#include "support/fault_stages.h"

#include <algorithm>
#include <utility>

#include "platform/fs.h"
#include "support/writer_calls_guard.h"

namespace tarq::testing {
namespace {

std::string Describe(platform::IoStage stage, int index) {
  switch (stage) {
    case platform::IoStage::kOpen:
      return "open";
    case platform::IoStage::kWrite:
      return "write " + std::to_string(index);
    case platform::IoStage::kFlush:
      return "flush";
    case platform::IoStage::kSync:
      return "sync";
    case platform::IoStage::kClose:
      return "close";
    case platform::IoStage::kReplace:
      return "replace";
  }
  return {};
}

}  // namespace

FaultStages FailEachStage(const std::function<void()>& reset, const std::function<bool()>& write,
                          const std::function<bool()>& intact) {
  FaultStages result;
  std::vector<std::pair<platform::IoStage, int>> seen;
  reset();
  {
    const WriterCallsGuard counting([&seen](platform::IoStage stage, int index) {
      if (std::find(seen.begin(), seen.end(), std::pair(stage, index)) == seen.end())
        seen.emplace_back(stage, index);
      return true;
    });
    if (!write()) {
      result.failures.push_back("the write fails without a fault");
      return result;
    }
  }
  for (const auto& [stage, index] : seen) {
    reset();
    bool succeeded = false;
    {
      const WriterCallsGuard failing([stage = stage, index = index](platform::IoStage s, int i) {
        return !(s == stage && i == index);
      });
      succeeded = write();
    }
    ++result.stages;
    if (succeeded) {
      result.failures.push_back(Describe(stage, index) + ": reported success");
    } else if (!intact()) {
      result.failures.push_back(Describe(stage, index) + ": the old file changed");
    }
  }
  return result;
}

}  // namespace tarq::testing
