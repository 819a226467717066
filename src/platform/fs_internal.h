#pragma once
// Shared by the POSIX and Win32 file code; not part of the platform's interface.

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_lock.h"
#include "platform/fs.h"

namespace tarq::platform::detail {

// The table the writer and the lock call through: the system's unless a
// test has put in its own.
const WriterCalls& Calls();

inline constexpr std::size_t kWriteChunk = 1 << 16;

enum class EntryKind : std::uint8_t { kPlainFile, kFolder };

// The entries of one kind in a folder for which accept is true, in no
// particular order. Hidden entries are left out (on Windows system ones
// too), except that on POSIX systems folders whose names start with a dot
// are listed; names that are not valid UTF-8 are left out. nullopt when the
// folder cannot be listed.
std::optional<std::vector<std::string>> ListEntries(
    const std::string& folder, EntryKind kind, const std::function<bool(std::string_view)>& accept);

// The system's entries of WriterCalls.
NewFile CreateNewFile(const std::string& path, const std::string& replacing);
bool WriteToHandle(intptr_t handle, const char* data, std::size_t size);
bool SyncHandle(intptr_t handle);  // the file's data on disk
bool CloseHandle(intptr_t handle);
bool MoveIntoPlace(const std::string& from, const std::string& to);
void RemoveFile(const std::string& path);
#ifndef _WIN32
void SyncFolder(const std::string& folder);
#endif

// Takes the lock of FileLock, waiting at most `wait` for another holder to
// let it go; on kHeld `handle` is what the destructor closes.
FileLock::State WaitForLock(const std::string& path, std::intptr_t& handle,
                            std::chrono::milliseconds wait);

}  // namespace tarq::platform::detail
