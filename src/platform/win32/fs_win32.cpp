#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

#include "platform/drives.h"
#include "platform/fs.h"
#include "platform/fs_internal.h"
#include "platform/text.h"
#include "platform/win32/fs_win32.h"
#include "platform/win32/system_library.h"
#include "platform/win32/wide.h"

namespace tarq::platform {
namespace {

using win32::Narrow;
using win32::Wide;

HANDLE AsHandle(intptr_t h) {
  return reinterpret_cast<HANDLE>(h);
}

bool WriteAll(HANDLE file, const char* data, std::size_t size) {
  while (size > 0) {
    DWORD written = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
    if (!WriteFile(file, data, chunk, &written, nullptr)) return false;
    data += written;
    size -= written;
  }
  return true;
}

bool Hidden(DWORD attributes) {
  return (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0;
}

}  // namespace

bool detail::WriteToHandle(intptr_t handle, const char* data, std::size_t size) {
  return WriteAll(AsHandle(handle), data, size);
}

bool detail::SyncHandle(intptr_t handle) {
  if (FlushFileBuffers(AsHandle(handle))) return true;
  // Some virtual and RAM-disk file systems have nothing to flush, and say so.
  const DWORD error = GetLastError();
  return error == ERROR_INVALID_FUNCTION || error == ERROR_NOT_SUPPORTED;
}

bool detail::CloseHandle(intptr_t handle) {
  return ::CloseHandle(AsHandle(handle)) != 0;
}

bool detail::MoveIntoPlace(const std::string& from, const std::string& to) {
  const std::wstring source = Wide(from);
  const std::wstring target = Wide(to);
  return win32::RetryWhileHeld([&source, &target] {
    return MoveFileExW(source.c_str(), target.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
  });
}

void detail::RemoveFile(const std::string& path) {
  DeleteFileW(Wide(path).c_str());
}

std::string ProgramFolder() {
  std::wstring buffer(256, L'\0');  // doubled until the name fits
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return ".";
    if (n < buffer.size()) {
      buffer.resize(n);
      break;
    }
    buffer.resize(buffer.size() * 2);
  }
  return ParentFolder(Narrow(buffer));
}

namespace {

// Whether a file can be made in the folder: the only sure test where access
// control lists and folder virtualisation decide. A sharing violation means
// the probe is there and open elsewhere (a scanner looking at it): the
// folder took a file, so it can be written.
bool CanWriteIn(const std::string& folder) {
  const HANDLE probe =
      CreateFileW(Wide(JoinPath(folder, win32::WriteProbeName())).c_str(), GENERIC_WRITE,
                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, CREATE_ALWAYS,
                  FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (probe == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_SHARING_VIOLATION;
  CloseHandle(probe);
  return true;
}

}  // namespace

// Tries every few milliseconds rather than a few spread over the quarter
// second: a reader that opens the file again and again (a launcher
// rebuilding its map list, a scanner) leaves it closed only for moments,
// which a few tries can all miss.
bool win32::RetryWhileHeld(const std::function<bool()>& attempt) {
  const ULONGLONG deadline = GetTickCount64() + 250;  // ms
  for (;;) {
    if (attempt()) return true;
    const DWORD error = GetLastError();
    if ((error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION) ||
        GetTickCount64() >= deadline) {
      return false;
    }
    Sleep(5);
  }
}

std::string win32::WriteProbeName() {
  return "tarq-write-test." + std::to_string(GetCurrentProcessId()) + ".tmp";
}

namespace {

// The path of a folder as the file system names it, with links, subst
// drives and short names resolved, so that every spelling of one folder
// gives the same path (but for letter case); the path as it stands when the
// folder cannot be opened.
std::wstring FinalPath(const std::wstring& folder) {
  const HANDLE handle = CreateFileW(folder.c_str(), FILE_READ_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return folder;
  const auto path = win32::FilledText([handle](wchar_t* buffer, DWORD size) {
    return GetFinalPathNameByHandleW(handle, buffer, size, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
  });
  CloseHandle(handle);
  return path.value_or(folder);
}

std::optional<std::wstring> MachineSetting(const wchar_t* key, const wchar_t* value) {
  DWORD bytes = 0;
  if (RegGetValueW(HKEY_LOCAL_MACHINE, key, value, RRF_RT_REG_SZ, nullptr, nullptr, &bytes) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  std::wstring text(bytes / sizeof(wchar_t), L'\0');
  if (RegGetValueW(HKEY_LOCAL_MACHINE, key, value, RRF_RT_REG_SZ, nullptr, text.data(), &bytes) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  text.resize(std::min(text.size(), text.find(L'\0')));
  return text;
}

// Whether a program in `folder` is installed for every user of the machine:
// the folder is Program Files (either, as 64-bit and 32-bit programs see
// them) or the Windows folder, or lies inside one, compared ignoring case as
// Windows compares paths. The Program Files paths are the values Windows'
// known folders take them from; SHGetKnownFolderPath would load shell32 at
// every start.
bool IsInstalledForEveryone(const std::string& folder) {
  std::vector<std::wstring> places;
  const wchar_t* const key = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
  for (const wchar_t* value : {L"ProgramFilesDir", L"ProgramFilesDir (x86)", L"ProgramW6432Dir"}) {
    if (auto place = MachineSetting(key, value)) places.push_back(std::move(*place));
  }
  if (auto windows = win32::FilledText([](wchar_t* buffer, DWORD size) {
        return static_cast<DWORD>(GetSystemWindowsDirectoryW(buffer, size));
      })) {
    places.push_back(std::move(*windows));
  }
  const std::wstring path = FinalPath(Wide(folder));
  return std::any_of(places.begin(), places.end(), [&path](const std::wstring& place) {
    const std::wstring inside = FinalPath(place);
    const int n = static_cast<int>(inside.size());
    return n > 0 && path.size() >= inside.size() &&
           CompareStringOrdinal(path.data(), n, inside.data(), n, TRUE) == CSTR_EQUAL &&
           (path.size() == inside.size() || path[inside.size()] == L'\\');
  });
}

// %LOCALAPPDATA%\TARQ, made if missing. The system's known folder, made if
// missing too, not the environment variable, which the user or a program
// that starts the launcher may have changed.
std::string UsersDataFolder() {
  using KnownFolderPathFn = HRESULT(WINAPI*)(REFKNOWNFOLDERID, DWORD, HANDLE, PWSTR*);
  using FreeFn = void(WINAPI*)(void*);
  static const auto knownFolderPath =
      win32::SystemFunction<KnownFolderPathFn>(L"shell32.dll", "SHGetKnownFolderPath");
  static const auto freeMemory = win32::SystemFunction<FreeFn>(L"ole32.dll", "CoTaskMemFree");
  if (knownFolderPath == nullptr || freeMemory == nullptr) return {};
  PWSTR local = nullptr;
  const bool found =
      SUCCEEDED(knownFolderPath(FOLDERID_LocalAppData, KF_FLAG_CREATE, nullptr, &local));
  const std::string folder = found ? JoinPath(Narrow(local), "TARQ") : std::string();
  freeMemory(local);  // also after a failure
  if (folder.empty()) return {};
  CreateDirectoryW(Wide(folder).c_str(), nullptr);
  return IsFolder(folder) ? folder : std::string();
}

}  // namespace

// Decided by place first: a probe that succeeds once, when the launcher runs
// as administrator, must not move an installed launcher's data for that run.
std::string DataFolder(const std::string& programFolder) {
  if (!IsInstalledForEveryone(programFolder) && CanWriteIn(programFolder)) return programFolder;
  return UsersDataFolder();
}

bool IsRegularFile(const std::string& path) {
  const DWORD a = GetFileAttributesW(Wide(path).c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool IsFolder(const std::string& path) {
  const DWORD a = GetFileAttributesW(Wide(path).c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::optional<std::uint64_t> FileSize(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(Wide(path).c_str(), GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return std::nullopt;
  }
  return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool CanOpenForReading(const std::string& path) {
  // Without backup semantics a folder does not open: it is no file.
  const HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  return true;
}

ReadResult ReadWholeFile(const std::string& path) {
  ReadResult result;
  const HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
      result.status = ReadStatus::kMissing;
    }
    return result;
  }
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file, &size)) {
    CloseHandle(file);
    return result;
  }
  result.bytes.resize(static_cast<std::size_t>(size.QuadPart));
  std::size_t have = 0;
  while (have < result.bytes.size()) {
    DWORD got = 0;
    const DWORD want =
        static_cast<DWORD>(std::min<std::size_t>(result.bytes.size() - have, 1u << 30));
    if (!ReadFile(file, result.bytes.data() + have, want, &got, nullptr)) {
      CloseHandle(file);
      result.bytes.clear();
      return result;
    }
    if (got == 0) break;
    have += got;
  }
  CloseHandle(file);
  result.bytes.resize(have);
  result.status = ReadStatus::kOk;
  return result;
}

NewFile detail::CreateNewFile(const std::string& path, const std::string& /*replacing*/) {
  NewFile created;
  const HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    created.nameTaken = GetLastError() == ERROR_FILE_EXISTS;
    return created;
  }
  created.handle = reinterpret_cast<intptr_t>(file);
  return created;
}

std::optional<std::vector<std::string>> detail::ListEntries(
    const std::string& folder, EntryKind kind,
    const std::function<bool(std::string_view)>& accept) {
  if (folder.empty()) return std::nullopt;  // no folder at all, not the current one
  // Every name is read and matched here: the system's own "*.bsp" would
  // also match names whose 8.3 short name ends in .BSP.
  WIN32_FIND_DATAW found;
  const HANDLE search = FindFirstFileExW(
      Wide(ChildFolder(folder, "*")).c_str(), FindExInfoBasic, &found,
      kind == EntryKind::kFolder ? FindExSearchLimitToDirectories : FindExSearchNameMatch, nullptr,
      FIND_FIRST_EX_LARGE_FETCH);
  if (search == INVALID_HANDLE_VALUE) {
    // An empty folder still lists; a missing one does not.
    return GetLastError() == ERROR_FILE_NOT_FOUND && IsFolder(folder)
               ? std::optional<std::vector<std::string>>(std::vector<std::string>())
               : std::nullopt;
  }
  std::vector<std::string> names;
  do {
    const std::wstring_view wide(found.cFileName);
    const bool isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (isFolder != (kind == EntryKind::kFolder) || Hidden(found.dwFileAttributes) ||
        wide == L"." || wide == L"..") {
      continue;
    }
    std::string name = Narrow(wide);
    if (accept(name)) names.push_back(std::move(name));
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return names;
}

std::optional<std::vector<std::string>> ListPlainFiles(
    const std::string& folder, const std::function<bool(std::string_view)>& accept) {
  return detail::ListEntries(folder, detail::EntryKind::kPlainFile, accept);
}

}  // namespace tarq::platform
