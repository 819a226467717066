#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

#include "platform/file_lock.h"
#include "platform/fs.h"

namespace tarq::platform {

// The lock is on the file's folder, so no lock file is left beside the data.
FileLock::FileLock(const std::string& path) : path_(path) {
  const int fd = ::open(ParentFolder(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  const auto deadline = std::chrono::steady_clock::now() + kWait;
  for (;;) {
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
      handle_ = fd;
      state_ = State::kHeld;
      return;
    }
    const int error = errno;
    if (error == EINTR) continue;
    if (error != EWOULDBLOCK) break;  // no locks here
    if (std::chrono::steady_clock::now() >= deadline) {
      state_ = State::kBusy;
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  ::close(fd);
}

FileLock::~FileLock() {
  if (handle_ != -1) ::close(static_cast<int>(handle_));  // closing releases the lock
}

}  // namespace tarq::platform
