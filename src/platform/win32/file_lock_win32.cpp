#include <windows.h>

#include "platform/file_lock.h"
#include "platform/fs.h"
#include "platform/fs_internal.h"
#include "platform/win32/wide.h"

namespace tarq::platform {

namespace {

// A byte-range lock on the lock file: the system's file locks hold across
// sessions and across machines on a share, and every spelling of the path
// (mapped drive or UNC name, short names, letter case) reaches the same file.
// The lock goes with the handle, also when the process is killed. No delete
// sharing: while the lock is held, no program can delete or rename the lock
// file, after which the next launcher would lock a new one beside it.
FileLock::State TryLock(const std::wstring& name, std::intptr_t& handle) {
  const HANDLE file =
      CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                  nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_HIDDEN, nullptr);
  DWORD error = GetLastError();
  if (file != INVALID_HANDLE_VALUE) {
    OVERLAPPED at{};
    if (LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at)) {
      handle = reinterpret_cast<std::intptr_t>(file);
      return FileLock::State::kHeld;
    }
    error = GetLastError();
    ::CloseHandle(file);
  }
  // Held by another launcher, or the lock file open without sharing by a
  // program that looks at it (antivirus): busy. Anything else: no lock here.
  return error == ERROR_LOCK_VIOLATION || error == ERROR_SHARING_VIOLATION
             ? FileLock::State::kBusy
             : FileLock::State::kUnavailable;
}

}  // namespace

// Another launcher holds the lock for a moment of its save: the lock is
// tried again every 20 ms until `wait` has passed.
FileLock::State detail::WaitForLock(const std::string& path, std::intptr_t& handle,
                                    std::chrono::milliseconds wait) {
  const std::wstring name = win32::Wide(JoinPath(ParentFolder(path), "tarq.lock"));
  const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(wait.count());
  for (;;) {
    const FileLock::State state = TryLock(name, handle);
    if (state != FileLock::State::kBusy || GetTickCount64() >= deadline) return state;
    Sleep(20);
  }
}

FileLock::~FileLock() {
  if (handle_ != -1) CloseHandle(reinterpret_cast<HANDLE>(handle_));  // closing releases the lock
}

}  // namespace tarq::platform
