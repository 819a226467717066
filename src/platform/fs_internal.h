#pragma once
// Shared by the POSIX and Win32 file code; not part of the platform's interface.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/fs.h"

namespace tarq::platform::detail {

// False when the test fault hook makes this stage fail.
bool StageAllowed(IoStage stage, int index);

inline constexpr std::size_t kWriteChunk = 1 << 16;

enum class EntryKind : std::uint8_t { kPlainFile, kFolder };

// The entries of one kind in a folder for which accept is true, in no
// particular order. Hidden entries are left out (on Windows system ones
// too), except that on POSIX systems folders whose names start with a dot
// are listed; names that are not valid UTF-8 are left out. nullopt when the
// folder cannot be listed.
std::optional<std::vector<std::string>> ListEntries(
    const std::string& folder, EntryKind kind, const std::function<bool(std::string_view)>& accept);

// AtomicFileWriter's new file for `path`, with "XXXXXX" where the six
// characters that make it unique go.
std::string TemporaryTemplate(const std::string& path);
inline constexpr std::string_view kUniquePlaceholder = "XXXXXX";

// The operating system's part of AtomicFileWriter, on its open file and
// its temporary file; false on failure.
bool WriteToHandle(intptr_t handle, const char* data, std::size_t size);
bool SyncHandle(intptr_t handle);  // the file's data on disk
bool CloseHandle(intptr_t handle);
bool MoveIntoPlace(const std::string& from, const std::string& to);  // durably
void RemoveFile(const std::string& path);

}  // namespace tarq::platform::detail
