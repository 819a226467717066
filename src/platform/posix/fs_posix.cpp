#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <utility>

#include "platform/fs.h"
#include "platform/fs_internal.h"
#include "platform/text.h"

namespace tarq::platform {
namespace {

bool WriteAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

bool detail::WriteToHandle(intptr_t handle, const char* data, std::size_t size) {
  return WriteAll(static_cast<int>(handle), data, size);
}

bool detail::SyncHandle(intptr_t handle) {
  return ::fsync(static_cast<int>(handle)) == 0;
}

bool detail::CloseHandle(intptr_t handle) {
  return ::close(static_cast<int>(handle)) == 0;
}

bool detail::MoveIntoPlace(const std::string& from, const std::string& to) {
  return ::rename(from.c_str(), to.c_str()) == 0;
}

void detail::SyncFolder(const std::string& folder) {
  const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
}

void detail::RemoveFile(const std::string& path) {
  ::unlink(path.c_str());
}

std::string ProgramFolder() {
  std::string buffer(PATH_MAX, '\0');
  const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
  if (n <= 0) return ".";
  buffer.resize(static_cast<std::size_t>(n));
  return ParentFolder(buffer);
}

std::string DataFolder(const std::string& programFolder) {
  // /usr holds installed programs, never their users' data, even for root.
  const bool installed = programFolder == "/usr" || programFolder.rfind("/usr/", 0) == 0;
  if (!installed && ::access(programFolder.c_str(), W_OK | X_OK) == 0) return programFolder;
  std::string base;
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg != nullptr && xdg[0] == '/') {
    base = xdg;
  } else if (const char* home = std::getenv("HOME"); home != nullptr && home[0] != '\0') {
    base = std::string(home) + "/.local/share";
  } else {
    return {};
  }
  // Make the folder and any missing parents; the folder is the user's own.
  const std::string folder = base + "/tarq";
  std::error_code error;
  if (std::filesystem::create_directories(folder, error)) {
    std::filesystem::permissions(folder, std::filesystem::perms::owner_all, error);
  }
  return IsFolder(folder) && ::access(folder.c_str(), W_OK | X_OK) == 0 ? folder : std::string();
}

bool IsRegularFile(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool IsFolder(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::optional<std::uint64_t> FileSize(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return std::nullopt;
  return static_cast<std::uint64_t>(st.st_size);
}

bool CanOpenForReading(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat st {};
  const bool isFile = ::fstat(fd, &st) == 0 && !S_ISDIR(st.st_mode);
  ::close(fd);
  return isFile;
}

ReadResult ReadWholeFile(const std::string& path) {
  ReadResult result;
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    result.status = errno == ENOENT ? ReadStatus::kMissing : ReadStatus::kFailed;
    return result;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
    ::close(fd);
    return result;
  }
  std::string& bytes = result.bytes;
  std::size_t have = 0;
  bytes.resize(st.st_size > 0 ? static_cast<std::size_t>(st.st_size) + 1 : 4096);
  for (;;) {
    if (have == bytes.size()) bytes.resize(bytes.size() * 2);
    const ssize_t n = ::read(fd, bytes.data() + have, bytes.size() - have);
    if (n < 0) {
      if (errno == EINTR) continue;
      ::close(fd);
      result.bytes.clear();
      return result;
    }
    if (n == 0) break;
    have += static_cast<std::size_t>(n);
  }
  ::close(fd);
  bytes.resize(have);
  result.status = ReadStatus::kOk;
  return result;
}

NewFile detail::CreateNewFile(const std::string& path, const std::string& replacing) {
  NewFile file;
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0) {
    file.nameTaken = errno == EEXIST;
    return file;
  }
  // Keep the old file's permissions; a new file gets the usual 0666 & ~umask.
  struct stat st {};
  mode_t mode = 0;
  if (::stat(replacing.c_str(), &st) == 0) {
    mode = st.st_mode & 07777;
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  }
  ::fchmod(fd, mode);
  file.handle = fd;
  return file;
}

std::optional<std::vector<std::string>> detail::ListEntries(
    const std::string& folder, EntryKind kind,
    const std::function<bool(std::string_view)>& accept) {
  if (folder.empty()) return std::nullopt;  // no folder at all, not the current one
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return std::nullopt;
  const int dirFd = ::dirfd(dir);
  const unsigned char wanted = kind == EntryKind::kFolder ? DT_DIR : DT_REG;
  std::vector<std::string> names;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string_view name(entry->d_name);
    if (name.empty() || name == "." || name == "..") continue;
    // Hidden files stay out; hidden folders are where Wine keeps its drives.
    if (name.front() == '.' && kind == EntryKind::kPlainFile) continue;
    if (!accept(name)) continue;
    bool matches = entry->d_type == wanted;
    if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {  // follow links
      struct stat st {};
      matches = ::fstatat(dirFd, entry->d_name, &st, 0) == 0 &&
                (kind == EntryKind::kFolder ? S_ISDIR(st.st_mode) : S_ISREG(st.st_mode));
    }
    if (matches && IsValidUtf8(name)) names.emplace_back(name);
  }
  ::closedir(dir);
  return names;
}

std::optional<std::vector<std::string>> ListPlainFiles(
    const std::string& folder, const std::function<bool(std::string_view)>& accept) {
  return detail::ListEntries(folder, detail::EntryKind::kPlainFile, accept);
}

}  // namespace tarq::platform
