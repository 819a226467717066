#include <algorithm>
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

void SetFaultHook(FaultHook hook) {
  Hook() = std::move(hook);
}

namespace detail {
bool StageAllowed(IoStage stage, int index) {
  return !Hook() || Hook()(stage, index);
}
}  // namespace detail

std::string JoinPath(std::string_view folder, std::string_view name) {
  std::string path;
  path.reserve(folder.size() + 1 + name.size());
  path.append(folder);
  path.push_back(kSeparator);
  path.append(name);
  return path;
}

std::string ParentFolder(std::string_view path) {
#ifdef _WIN32
  const auto cut = path.find_last_of("\\/");
  if (cut == 2 && path[1] == ':') return std::string(path.substr(0, 3));
#else
  const auto cut = path.find_last_of('/');
#endif
  if (cut == std::string_view::npos) return ".";
  return std::string(path.substr(0, cut == 0 ? 1 : cut));
}

AtomicFileWriter::AtomicFileWriter(std::string path) : path_(std::move(path)) {}

AtomicFileWriter::~AtomicFileWriter() {
  Discard();
}

// Every write to the file goes out here, in chunks; each chunk is a stage
// at which tests can make the write fail.
bool AtomicFileWriter::WriteOut(std::string_view bytes) {
  while (!bytes.empty()) {
    const std::size_t size = std::min(bytes.size(), detail::kWriteChunk);
    if (!detail::StageAllowed(IoStage::kWrite, writes_++) ||
        !detail::WriteToHandle(handle_, bytes.data(), size)) {
      return false;
    }
    bytes.remove_prefix(size);
  }
  return true;
}

bool AtomicFileWriter::FlushBuffer() {
  const bool ok = WriteOut(buffer_);
  buffer_.clear();
  return ok;
}

bool AtomicFileWriter::Write(std::string_view bytes) {
  if (failed_ || handle_ < 0) return false;
  if (buffer_.size() + bytes.size() > detail::kWriteChunk) {
    if (!FlushBuffer()) return failed_ = true, false;
    if (bytes.size() >= detail::kWriteChunk) {
      if (!WriteOut(bytes)) return failed_ = true, false;
      return true;
    }
  }
  buffer_.append(bytes);
  return true;
}

bool AtomicFileWriter::Commit(const std::function<bool()>& beforeReplace) {
  if (failed_ || handle_ < 0) return false;
  const intptr_t handle = handle_;
  if (!detail::StageAllowed(IoStage::kFlush, 0) || !FlushBuffer() || !detail::SyncHandle(handle)) {
    failed_ = true;
    return false;
  }
  handle_ = -1;
  const bool closeAllowed = detail::StageAllowed(IoStage::kClose, 0);
  if (!detail::CloseHandle(handle) || !closeAllowed) {
    failed_ = true;
    return false;
  }
  if (beforeReplace && !beforeReplace()) {
    failed_ = true;
    return false;
  }
  if (!detail::StageAllowed(IoStage::kReplace, 0) || !detail::MoveIntoPlace(tempPath_, path_)) {
    failed_ = true;
    return false;
  }
  tempPath_.clear();
  return true;
}

void AtomicFileWriter::Discard() {
  if (handle_ >= 0) {
    detail::CloseHandle(handle_);
    handle_ = -1;
  }
  if (!tempPath_.empty()) {
    detail::RemoveFile(tempPath_);
    tempPath_.clear();
  }
}

bool ReplaceFileContents(const std::string& path, std::string_view bytes) {
  AtomicFileWriter writer(path);
  return writer.Open() && writer.Write(bytes) && writer.Commit();
}

}  // namespace tarq::platform
