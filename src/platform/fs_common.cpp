#include <algorithm>
#include <utility>

#include "platform/file_lock.h"
#include "platform/fs.h"
#include "platform/fs_internal.h"

namespace tarq::platform {
namespace {

FaultHook& Hook() {
  static FaultHook hook;
  return hook;
}

// What follows the six unique characters of a temporary file's name.
#ifdef _WIN32
constexpr std::string_view kTemporarySuffix = ".tmp";
#else
constexpr std::string_view kTemporarySuffix = "";
#endif

bool IsUniqueChar(char c) {
#ifdef _WIN32
  return c >= '0' && c <= '9';
#else
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
#endif
}

// Where the last separator of a path stands; npos when it has none.
std::size_t LastSeparator(std::string_view path) {
#ifdef _WIN32
  return path.find_last_of("\\/");
#else
  return path.find_last_of('/');
#endif
}

}  // namespace

std::string_view FileNameOf(std::string_view path) {
  const auto cut = LastSeparator(path);
  return cut == std::string_view::npos ? path : path.substr(cut + 1);
}

void SetFaultHook(FaultHook hook) {
  Hook() = std::move(hook);
}

namespace detail {
bool StageAllowed(IoStage stage, int index) {
  return !Hook() || Hook()(stage, index);
}
}  // namespace detail

std::string detail::TemporaryTemplate(const std::string& path) {
  std::string name = path;
  name += '.';
  name += kUniquePlaceholder;
  name += kTemporarySuffix;
  return name;
}

bool IsWriterTemporaryName(std::string_view name, std::string_view fileName) {
  const std::size_t size = detail::kUniquePlaceholder.size();
  if (name.size() != fileName.size() + 1 + size + kTemporarySuffix.size() ||
      name.substr(0, fileName.size()) != fileName || name[fileName.size()] != '.' ||
      name.substr(name.size() - kTemporarySuffix.size()) != kTemporarySuffix) {
    return false;
  }
  const std::string_view unique = name.substr(fileName.size() + 1, size);
  if (!std::all_of(unique.begin(), unique.end(), IsUniqueChar)) return false;
#ifndef _WIN32
  if (std::all_of(unique.begin(), unique.end(), [](char c) { return c >= 'a' && c <= 'z'; })) {
    return false;
  }
#endif
  return true;
}

void RemoveWriterLeftovers(const std::string& path) {
  const std::string folder = ParentFolder(path);
  const std::string_view fileName = FileNameOf(path);
  const auto leftovers = ListPlainFiles(
      folder, [fileName](std::string_view name) { return IsWriterTemporaryName(name, fileName); });
  if (!leftovers) return;
  for (const std::string& name : *leftovers) detail::RemoveFile(JoinPath(folder, name));
}

void FileLock::RemoveLeftovers() const {
  if (handle_ != -1) RemoveWriterLeftovers(path_);
}

std::string JoinPath(std::string_view folder, std::string_view name) {
  std::string path;
  path.reserve(folder.size() + 1 + name.size());
  path.append(folder);
  path.push_back(kSeparator);
  path.append(name);
  return path;
}

std::string ParentFolder(std::string_view path) {
  const auto cut = LastSeparator(path);
#ifdef _WIN32
  if (cut == 2 && path[1] == ':') return std::string(path.substr(0, 3));
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
  if (!detail::StageAllowed(IoStage::kFlush, 0) || !FlushBuffer() ||
      !detail::StageAllowed(IoStage::kSync, 0) || !detail::SyncHandle(handle)) {
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
