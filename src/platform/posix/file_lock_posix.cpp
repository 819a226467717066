#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "platform/file_lock.h"
#include "platform/fs.h"
#include "platform/fs_internal.h"

namespace tarq::platform {

// The lock is on the file's folder, so no lock file is left beside the data.
detail::LockTry detail::TryLock(const std::string& path, std::intptr_t& handle) {
  const int fd = ::open(ParentFolder(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return LockTry::kNoLocks;
  int result;
  do {
    result = ::flock(fd, LOCK_EX | LOCK_NB);
  } while (result != 0 && errno == EINTR);
  const int error = errno;
  if (result == 0) {
    handle = fd;
    return LockTry::kHeld;
  }
  ::close(fd);
  return error == EWOULDBLOCK ? LockTry::kBusy : LockTry::kNoLocks;
}

FileLock::~FileLock() {
  if (handle_ != -1) ::close(static_cast<int>(handle_));  // closing releases the lock
}

}  // namespace tarq::platform
