#include <dirent.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "platform/drives.h"
#include "platform/fs.h"
#include "platform/fs_internal.h"
#include "platform/text.h"

namespace tarq::platform {
namespace {

// /proc/mounts escapes blanks and backslashes as octal.
std::string Unescape(const std::string& field) {
  std::string out;
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '\\' && i + 3 < field.size()) {
      const std::string octal = field.substr(i + 1, 3);
      if (octal.size() == 3 &&
          std::all_of(octal.begin(), octal.end(), [](char c) { return c >= '0' && c <= '7'; })) {
        out.push_back(static_cast<char>(std::stoi(octal, nullptr, 8)));
        i += 3;
        continue;
      }
    }
    out.push_back(field[i]);
  }
  return out;
}

bool IsUserVolume(const std::string& source, const std::string& type, const std::string& at) {
  static const char* const kDiskTypes[] = {"ext2",    "ext3",  "ext4",    "xfs",   "btrfs",
                                           "vfat",    "exfat", "ntfs",    "ntfs3", "fuseblk",
                                           "iso9660", "udf",   "hfsplus", "f2fs"};
  const bool disk =
      std::find(std::begin(kDiskTypes), std::end(kDiskTypes), type) != std::end(kDiskTypes);
  const bool userPlace =
      at.rfind("/media/", 0) == 0 || at.rfind("/mnt/", 0) == 0 || at.rfind("/run/media/", 0) == 0;
  return disk && userPlace && source.rfind("/dev/", 0) == 0;
}

}  // namespace

std::vector<Drive> ListDrives() {
  std::vector<Drive> drives{{"/", "/"}};
  std::ifstream mounts("/proc/self/mounts");
  std::string line;
  while (std::getline(mounts, line)) {
    std::istringstream fields(line);
    std::string source, at, type;
    if (!(fields >> source >> at >> type)) continue;
    at = Unescape(at);
    if (!IsUserVolume(source, type, at) || !IsValidUtf8(at)) continue;
    if (std::none_of(drives.begin(), drives.end(), [&](const Drive& d) { return d.root == at; })) {
      drives.push_back({at, at});
    }
  }
  std::sort(drives.begin() + 1, drives.end(),
            [](const Drive& a, const Drive& b) { return a.root < b.root; });
  return drives;
}

int DriveIndexOf(const std::string& path, const std::vector<Drive>& drives) {
  int best = -1;
  std::size_t bestLength = 0;
  for (std::size_t i = 0; i < drives.size(); ++i) {
    const std::string& root = drives[i].root;
    const bool under = root == "/" ? !path.empty() && path[0] == '/'
                                   : path == root || path.rfind(root + "/", 0) == 0;
    if (under && (best < 0 || root.size() > bestLength)) {
      best = static_cast<int>(i);
      bestLength = root.size();
    }
  }
  return best;
}

std::optional<std::string> DriveCurrentFolder(const Drive& drive) {
  DIR* dir = ::opendir(drive.root.c_str());
  if (dir == nullptr) return std::nullopt;
  ::closedir(dir);
  return drive.root;
}

std::optional<std::vector<std::string>> ListSubfolders(const std::string& folder) {
  return detail::ListEntries(folder, detail::EntryKind::kFolder,
                             [](std::string_view) { return true; });
}

std::vector<std::string> FolderChain(const std::string& folder) {
  std::vector<std::string> chain{"/"};
  std::size_t start = 1;
  while (start < folder.size()) {
    std::size_t end = folder.find('/', start);
    if (end == std::string::npos) end = folder.size();
    if (end > start) chain.push_back(folder.substr(0, end));
    start = end + 1;
  }
  return chain;
}

std::string ChildFolder(const std::string& folder, const std::string& name) {
  if (!folder.empty() && folder.back() == '/') return folder + name;
  return folder + "/" + name;
}

}  // namespace tarq::platform
