#pragma once

#include <chrono>
#include <cstdint>
#include <string>

namespace tarq::platform {

// Serialises the read-modify-write of the files of one folder between
// launchers running at the same time, in any session and on any machine that
// shares the folder: held from construction to destruction. Advisory:
// programs that do not take it are not held back.
//
// The lock is taken on something in the file's folder that stays while the
// file itself is replaced: on POSIX systems the folder itself; on Windows,
// which cannot lock a folder, the hidden empty file "tarq.lock" beside the
// data files, made at the first lock and left there.
class FileLock final {
 public:
  // How long construction waits for another launcher to let the lock go: a
  // save holds it for a moment, so a longer wait means that launcher hangs.
  static constexpr std::chrono::milliseconds kWait{2000};

  enum class State : std::uint8_t {
    kHeld,
    // Locking is not available here (the folder takes no locks, no lock file
    // can be made): the caller goes on without the lock.
    kUnavailable,
    kBusy,  // another launcher held it for all of kWait: not held
  };

  // Waits up to `wait` for the lock.
  explicit FileLock(const std::string& path, std::chrono::milliseconds wait = kWait);
  ~FileLock();
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

  State state() const { return state_; }

  // Removes what writers of the file killed before they finished left beside
  // it (RemoveWriterLeftovers), but only when the lock is held: without it
  // another launcher's writer may be at work on its new file.
  void RemoveLeftovers() const;

 private:
  std::string path_;
  std::intptr_t handle_ = -1;  // open while held
  State state_ = State::kUnavailable;
};

}  // namespace tarq::platform
