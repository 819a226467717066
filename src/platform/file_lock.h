#pragma once

#include <cstdint>
#include <string>

namespace tarq::platform {

// Serialises the read-modify-write of one file between launchers running at
// the same time: held from construction to destruction. Advisory: programs
// that do not take it are not held back. When the lock cannot be had (a file
// system without locks) the holder goes on unlocked, as before there was one.
class FileLock final {
 public:
  explicit FileLock(const std::string& path);
  ~FileLock();
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

  // Removes what writers of the file killed before they finished left beside
  // it (RemoveWriterLeftovers), but only when the lock is held: without it
  // another launcher's writer may be at work on its new file.
  void RemoveLeftovers() const;

 private:
  std::string path_;
  std::intptr_t handle_ = -1;
};

}  // namespace tarq::platform
