// The data folder's lock on POSIX systems: flock on the folder. The wait for
// another launcher's lock is Linux's: a one-shot timer that signals this
// thread alone (SIGEV_THREAD_ID) ends it.

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>

#include "platform/file_lock.h"
#include "platform/fs.h"
#include "platform/fs_internal.h"

// The name timer_create(2) documents for the thread to signal; glibc has long
// had the field under its inner name only.
#ifndef sigev_notify_thread_id
#define sigev_notify_thread_id _sigev_un._tid
#endif

namespace tarq::platform {
namespace {

void WakeTheWait(int) {}  // only makes the waiting flock return

// A one-shot SIGALRM for the calling thread after `wait`, so that a blocking
// flock gives up then; the process's previous handling of SIGALRM comes back
// at the end.
class ThreadAlarm final {
 public:
  explicit ThreadAlarm(std::chrono::milliseconds wait) {
    struct sigaction wake {};
    wake.sa_handler = WakeTheWait;  // without SA_RESTART: the wait ends
    sigemptyset(&wake.sa_mask);
    sigaction(SIGALRM, &wake, &previous_);
    sigevent event{};
    event.sigev_notify = SIGEV_THREAD_ID;
    event.sigev_signo = SIGALRM;
    event.sigev_notify_thread_id = gettid();
    armed_ = timer_create(CLOCK_MONOTONIC, &event, &timer_) == 0;
    if (!armed_) return;
    itimerspec at{};
    at.it_value.tv_sec = static_cast<time_t>(wait.count() / 1000);
    at.it_value.tv_nsec = static_cast<long>(wait.count() % 1000) * 1000000L;
    timer_settime(timer_, 0, &at, nullptr);
  }
  ~ThreadAlarm() {
    if (armed_) timer_delete(timer_);
    sigaction(SIGALRM, &previous_, nullptr);
  }
  ThreadAlarm(const ThreadAlarm&) = delete;
  ThreadAlarm& operator=(const ThreadAlarm&) = delete;

  bool Rang() const {
    itimerspec left{};
    return armed_ && timer_gettime(timer_, &left) == 0 && left.it_value.tv_sec == 0 &&
           left.it_value.tv_nsec == 0;
  }

 private:
  struct sigaction previous_ {};
  timer_t timer_{};
  bool armed_ = false;
};

}  // namespace

// The lock is on the file's folder, so no lock file is left beside the data.
// A launcher that waits does so in the kernel's queue of waiters, which
// serves them in turn: polling would let one that saves in a loop take the
// lock again before the waiter ever saw it free.
FileLock::State detail::WaitForLock(const std::string& path, std::intptr_t& handle,
                                    std::chrono::milliseconds wait) {
  const int fd = ::open(ParentFolder(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return FileLock::State::kUnavailable;
  int result = ::flock(fd, LOCK_EX | LOCK_NB);
  if (result != 0 && errno == EWOULDBLOCK && wait.count() > 0) {
    const ThreadAlarm alarm(wait);
    do {
      result = ::flock(fd, LOCK_EX);
    } while (result != 0 && errno == EINTR && !alarm.Rang());
  }
  const int error = errno;
  if (result == 0) {
    handle = fd;
    return FileLock::State::kHeld;
  }
  ::close(fd);
  return error == EWOULDBLOCK || error == EINTR ? FileLock::State::kBusy
                                                : FileLock::State::kUnavailable;
}

FileLock::~FileLock() {
  if (handle_ != -1) ::close(static_cast<int>(handle_));  // closing releases the lock
}

}  // namespace tarq::platform
