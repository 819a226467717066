#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "platform/file_lock.h"
#include "platform/fs.h"
#include "platform/fs_internal.h"

namespace tarq::platform {

// The lock is on the file's folder, which stays while the file itself is
// replaced by a new one; no lock file is left beside the data.
FileLock::FileLock(const std::string& path) : path_(path) {
  const int fd = ::open(ParentFolder(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  if (!detail::Calls().lockFolder(fd)) {
    ::close(fd);
    return;
  }
  handle_ = fd;
}

bool detail::LockFolder(intptr_t folder) {
  int result;
  do {
    result = ::flock(static_cast<int>(folder), LOCK_EX);
  } while (result != 0 && errno == EINTR);
  return result == 0;
}

FileLock::~FileLock() {
  if (handle_ != -1) ::close(static_cast<int>(handle_));  // closing releases the lock
}

}  // namespace tarq::platform
