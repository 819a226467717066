#include <utility>

#include "platform/fs.h"
#include "platform/fs_internal.h"

namespace tarq::platform {
namespace {

FaultHook& Hook() {
  static FaultHook hook;
  return hook;
}

}  // namespace

void SetFaultHook(FaultHook hook) { Hook() = std::move(hook); }

namespace detail {
bool StageAllowed(IoStage stage, int index) { return !Hook() || Hook()(stage, index); }
}  // namespace detail


std::string JoinPath(std::string_view folder, std::string_view name) {
  std::string path;
  path.reserve(folder.size() + 1 + name.size());
  path.append(folder);
  path.push_back(kSeparator);
  path.append(name);
  return path;
}

bool ReplaceFileContents(const std::string& path, std::string_view bytes) {
  AtomicFileWriter writer(path);
  return writer.Open() && writer.Write(bytes) && writer.Commit();
}

}  // namespace tarq::platform
