#include <windows.h>

#include <cctype>

#include "platform/drives.h"
#include "platform/fs.h"
#include "platform/fs_internal.h"
#include "platform/win32/wide.h"

namespace tarq::platform {

using win32::Narrow;
using win32::Wide;

std::vector<Drive> ListDrives() {
  std::vector<Drive> drives;
  const DWORD mask = GetLogicalDrives();
  for (int i = 0; i < 26; ++i) {
    if ((mask & (1u << i)) == 0) continue;
    const char letter = static_cast<char>('A' + i);
    drives.push_back(
        {std::string(1, letter) + ":\\", std::string(1, static_cast<char>('a' + i)) + ":"});
  }
  return drives;
}

int DriveIndexOf(const std::string& path, const std::vector<Drive>& drives) {
  if (path.size() < 2 || path[1] != ':') return -1;
  const int letter = std::toupper(static_cast<unsigned char>(path[0]));
  for (std::size_t i = 0; i < drives.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(drives[i].root[0])) == letter) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

std::optional<std::string> DriveCurrentFolder(const Drive& drive) {
  // A drive that is not ready (an empty card reader, a disc drive without a
  // disc) has no volume to ask about; no error box comes up for it.
  const UINT previous = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  ULARGE_INTEGER free{};
  const bool ready = GetDiskFreeSpaceExW(Wide(drive.root).c_str(), &free, nullptr, nullptr) != 0;
  SetErrorMode(previous);
  if (!ready) return std::nullopt;
  // "X:" names the drive's own current folder.
  const std::wstring relative = Wide(drive.root.substr(0, 2));
  const auto full = win32::FilledText([&relative](wchar_t* buffer, DWORD size) {
    return GetFullPathNameW(relative.c_str(), size, buffer, nullptr);
  });
  std::string folder = full ? Narrow(*full) : drive.root;
  // Wine answers with a trailing separator; a folder has none but a root.
  if (folder.size() > 3 && folder.back() == '\\') folder.pop_back();
  return IsFolder(folder) ? folder : drive.root;
}

std::optional<std::vector<std::string>> ListSubfolders(const std::string& folder) {
  return detail::ListEntries(folder, detail::EntryKind::kFolder,
                             [](std::string_view) { return true; });
}

std::vector<std::string> FolderChain(const std::string& folder) {
  // "C:\a\b" gives "C:\", "C:\a", "C:\a\b".
  std::vector<std::string> chain;
  std::size_t start = 0;
  if (folder.size() >= 2 && folder[1] == ':') {
    chain.push_back(folder.substr(0, 2) + "\\");
    start = 3;
  } else if (folder.rfind("\\\\", 0) == 0) {  // \\server\share
    const auto share = folder.find('\\', folder.find('\\', 2) + 1);
    chain.push_back(folder.substr(0, share));
    start = share == std::string::npos ? folder.size() : share + 1;
  }
  while (start < folder.size()) {
    std::size_t end = folder.find_first_of("\\/", start);
    if (end == std::string::npos) end = folder.size();
    if (end > start) chain.push_back(folder.substr(0, end));
    start = end + 1;
  }
  if (chain.empty()) chain.push_back(folder);
  return chain;
}

std::string ChildFolder(const std::string& folder, const std::string& name) {
  if (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) return folder + name;
  return folder + "\\" + name;
}

}  // namespace tarq::platform
