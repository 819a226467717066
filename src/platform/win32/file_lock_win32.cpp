#include <windows.h>

#include <cwctype>
#include <functional>

#include "platform/file_lock.h"
#include "platform/win32/wide.h"

namespace tarq::platform {

// A named mutex per file, for the launchers of this session: names cannot
// hold backslashes, so the (case-folded) path is hashed into the name.
FileLock::FileLock(const std::string& path) : path_(path) {
  std::wstring key = win32::Wide(path);
  for (wchar_t& c : key) c = static_cast<wchar_t>(std::towlower(c));
  const std::wstring name = L"Local\\TARQ-" + std::to_wstring(std::hash<std::wstring>{}(key));
  const HANDLE mutex = CreateMutexW(nullptr, FALSE, name.c_str());
  if (mutex == nullptr) return;
  const DWORD waited = WaitForSingleObject(mutex, 30000);
  if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) {
    CloseHandle(mutex);
    return;
  }
  handle_ = reinterpret_cast<std::intptr_t>(mutex);
}

FileLock::~FileLock() {
  if (handle_ == -1) return;
  const HANDLE mutex = reinterpret_cast<HANDLE>(handle_);
  ReleaseMutex(mutex);
  CloseHandle(mutex);
}

}  // namespace tarq::platform
