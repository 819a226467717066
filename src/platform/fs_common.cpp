#include <algorithm>
#include <chrono>
#include <cstdint>
#include <random>
#include <utility>

#include "platform/file_lock.h"
#include "platform/fs.h"
#include "platform/fs_internal.h"
#include "platform/text.h"

namespace tarq::platform {
namespace {

WriterCalls& Current() {
  static WriterCalls calls = SystemWriterCalls();
  return calls;
}

bool Allowed(const WriterCalls& calls, IoStage stage, int index) {
  return !calls.beforeStage || calls.beforeStage(stage, index);
}

// How many characters make a new file's name unique.
constexpr std::size_t kUniqueSize = 6;

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

const WriterCalls& SystemWriterCalls() {
  static const WriterCalls calls = [] {
    WriterCalls system;
    system.create = detail::CreateNewFile;
    system.write = detail::WriteToHandle;
    system.sync = detail::SyncHandle;
    system.close = detail::CloseHandle;
    system.rename = detail::MoveIntoPlace;
    system.remove = detail::RemoveFile;
#ifndef _WIN32
    system.syncFolder = detail::SyncFolder;
#endif
    return system;
  }();
  return calls;
}

void SetWriterCalls(WriterCalls calls) {
  Current() = std::move(calls);
}

const WriterCalls& detail::Calls() {
  return Current();
}

bool IsWriterTemporaryName(std::string_view name, std::string_view fileName) {
  const std::size_t size = kUniqueSize;
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
  for (const std::string& name : *leftovers) detail::Calls().remove(JoinPath(folder, name));
}

FileLock::FileLock(const std::string& path, std::chrono::milliseconds wait)
    : path_(path), state_(detail::WaitForLock(path, handle_, wait)) {}

void FileLock::RemoveLeftovers() const {
  if (handle_ != -1) RemoveWriterLeftovers(path_);
}

bool NameLessIgnoringCase(std::string_view a, std::string_view b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const auto ca = static_cast<unsigned char>(AsciiUpper(a[i]));
    const auto cb = static_cast<unsigned char>(AsciiUpper(b[i]));
    if (ca != cb) return ca < cb;
  }
  if (a.size() != b.size()) return a.size() < b.size();
  return a < b;  // UTF-8 byte order is code point order
}

void SortNamesIgnoringCase(std::vector<std::string>& names) {
  // Sort by the first eight folded bytes as one integer, a byte at a time
  // from the last (a radix sort, no comparisons to mispredict), and only
  // runs of the same eight bytes by the whole names. What it buys: the
  // rebuild of 32767 maps takes about 1.2 times the I/O floor (make bench,
  // rows 1 and 2); by std::sort of the same keys, 1.5; by the whole names, 1.68.
  struct Key {
    std::uint64_t prefix;
    std::uint32_t index;
  };
  std::vector<Key> keys;
  keys.reserve(names.size());
  std::uint32_t counts[8][256] = {};
  for (std::uint32_t i = 0; i < names.size(); ++i) {
    const std::string& n = names[i];
    std::uint64_t prefix = 0;
    for (std::size_t k = 0; k < 8; ++k) {
      const auto c = k < n.size() ? static_cast<unsigned char>(AsciiUpper(n[k])) : 0u;
      prefix = (prefix << 8) | c;
      ++counts[7 - k][c];
    }
    keys.push_back({prefix, i});
  }
  {
    std::vector<Key> spare(keys.size());
    for (int byte = 0; byte < 8; ++byte) {
      const std::uint32_t* count = counts[byte];
      // A byte every key shares orders nothing.
      if (std::find(count, count + 256, keys.size()) != count + 256) continue;
      std::uint32_t start[256];
      std::uint32_t sum = 0;
      for (int c = 0; c < 256; ++c) {
        start[c] = sum;
        sum += count[c];
      }
      for (const Key& k : keys) spare[start[k.prefix >> (8 * byte) & 0xff]++] = k;
      keys.swap(spare);
    }
  }
  for (auto run = keys.begin(); run != keys.end();) {
    const auto end =
        std::find_if(run, keys.end(), [&](const Key& k) { return k.prefix != run->prefix; });
    if (end - run > 1) {
      std::sort(run, end, [&](const Key& x, const Key& y) {
        return NameLessIgnoringCase(names[x.index], names[y.index]);
      });
    }
    run = end;
  }
  // Each name to its place in the names themselves, a cycle of places at a
  // time: no second vector of names beside the first.
  for (std::uint32_t place = 0; place < keys.size(); ++place) {
    if (keys[place].index == place) continue;
    std::string held = std::move(names[place]);
    std::uint32_t at = place;
    while (keys[at].index != place) {
      const std::uint32_t from = keys[at].index;
      names[at] = std::move(names[from]);
      keys[at].index = at;
      at = from;
    }
    names[at] = std::move(held);
    keys[at].index = at;
  }
}

std::string DataFolderOfThisRun() {
  const std::string programFolder = ProgramFolder();
  const std::string dataFolder = DataFolder(programFolder);
  return dataFolder.empty() ? programFolder : dataFolder;
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

bool AtomicFileWriter::Open() {
  const WriterCalls& calls = detail::Calls();
  if (!Allowed(calls, IoStage::kOpen, 0)) return failed_ = true, false;
  // A folder in the file's place cannot be replaced by a file.
  if (IsFolder(path_)) return failed_ = true, false;
  // Digits only: mkstemp may choose six lower-case letters, a name the
  // clean-up of leftovers takes for the user's own copy and leaves.
  std::random_device random;
  std::string candidate =
      path_ + '.' + std::string(kUniqueSize, '0') + std::string(kTemporarySuffix);
  const std::size_t at = path_.size() + 1;
  for (int attempt = 0; attempt < 16; ++attempt) {
    unsigned number = random() % 1000000u;
    for (std::size_t i = kUniqueSize; i-- > 0; number /= 10) {
      candidate[at + i] = static_cast<char>('0' + number % 10);
    }
    const NewFile file = calls.create(candidate, path_);
    if (file.handle != -1) {
      handle_ = file.handle;
      tempPath_ = std::move(candidate);
      buffer_.reserve(detail::kWriteChunk);
      return true;
    }
    if (!file.nameTaken) break;
  }
  return failed_ = true, false;
}

// Every write to the file goes out here, in chunks; each chunk is a stage
// at which tests can make the write fail.
bool AtomicFileWriter::WriteOut(std::string_view bytes) {
  const WriterCalls& calls = detail::Calls();
  while (!bytes.empty()) {
    const std::size_t size = std::min(bytes.size(), detail::kWriteChunk);
    if (!Allowed(calls, IoStage::kWrite, writes_++) || !calls.write(handle_, bytes.data(), size)) {
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
  const WriterCalls& calls = detail::Calls();
  const intptr_t handle = handle_;
  if (!Allowed(calls, IoStage::kFlush, 0) || !FlushBuffer() || !Allowed(calls, IoStage::kSync, 0) ||
      !calls.sync(handle)) {
    failed_ = true;
    return false;
  }
  handle_ = -1;
  const bool closeAllowed = Allowed(calls, IoStage::kClose, 0);
  if (!calls.close(handle) || !closeAllowed) {
    failed_ = true;
    return false;
  }
  if (beforeReplace && !beforeReplace()) {
    failed_ = true;
    return false;
  }
  if (!Allowed(calls, IoStage::kReplace, 0) || !calls.rename(tempPath_, path_)) {
    failed_ = true;
    return false;
  }
  tempPath_.clear();
  if (calls.syncFolder) calls.syncFolder(ParentFolder(path_));
  return true;
}

void AtomicFileWriter::Discard() {
  const WriterCalls& calls = detail::Calls();
  if (handle_ >= 0) {
    calls.close(handle_);
    handle_ = -1;
  }
  if (!tempPath_.empty()) {
    calls.remove(tempPath_);
    tempPath_.clear();
  }
}

bool ReplaceFileContents(const std::string& path, std::string_view bytes) {
  AtomicFileWriter writer(path);
  return writer.Open() && writer.Write(bytes) && writer.Commit();
}

}  // namespace tarq::platform
