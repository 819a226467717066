#include <dirent.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>

#include "platform/drives.h"
#include "platform/fs.h"
#include "platform/fs_internal.h"
#include "platform/posix/posix_internal.h"
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

std::string WithoutTrailingSlashes(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

bool Listed(const std::vector<Drive>& drives, const std::string& root) {
  return std::any_of(drives.begin(), drives.end(), [&](const Drive& d) { return d.root == root; });
}

// path with the home folder written as "~", as a shell shows it.
std::string Tilde(const std::string& path, const std::string& home) {
  if (home.size() <= 1 || !detail::IsAtOrUnder(path, home)) return path;
  return "~" + path.substr(home.size());
}

// Adds the places of one kind, each under `name` alone when it is the only
// one, else with what tells it from the others: "Wine C: (~/.wine)".
void AddKind(std::vector<Drive>& drives, std::vector<Drive> kind, const std::string& name) {
  for (Drive& place : kind) place.label = kind.size() == 1 ? name : name + " (" + place.label + ")";
  drives.insert(drives.end(), kind.begin(), kind.end());
}

// The home folder, the Wine prefixes' C: drives and Steam's game folders.
void AddUserPlaces(std::vector<Drive>& drives) {
  const std::string home = detail::HomeFolder();
  const auto realHome = detail::RealFolder(home);
  if (realHome && !Listed(drives, *realHome)) drives.push_back({*realHome, *realHome});

  // The prefix in use first.
  std::vector<std::string> prefixes;
  // Wine itself takes only an absolute WINEPREFIX.
  if (const char* prefix = std::getenv("WINEPREFIX"); prefix != nullptr && prefix[0] == '/') {
    prefixes.push_back(WithoutTrailingSlashes(prefix));
  }
  if (!home.empty()) prefixes.push_back(ChildFolder(home, ".wine"));
  std::vector<Drive> wine;
  for (const std::string& prefix : prefixes) {
    const auto folder = detail::RealFolder(ChildFolder(prefix, "drive_c"));
    if (!folder || !IsValidUtf8(prefix) || Listed(drives, *folder) || Listed(wine, *folder)) {
      continue;
    }
    wine.push_back({*folder, Tilde(prefix, home)});
  }
  AddKind(drives, std::move(wine), "Wine C:");

  // Each library's game folder, told apart by the library's folder.
  std::vector<Drive> steam;
  for (const std::string& library : detail::SteamLibraries()) {
    const auto games = detail::RealFolder(ChildFolder(library, "steamapps/common"));
    if (!games || Listed(drives, *games) || Listed(steam, *games)) continue;
    steam.push_back({*games, Tilde(library, realHome.value_or(home))});
  }
  AddKind(drives, std::move(steam), "Steam");
}

}  // namespace

std::string detail::HomeFolder() {
  const char* home = std::getenv("HOME");
  return WithoutTrailingSlashes(home != nullptr ? home : "");
}

std::optional<std::string> detail::RealFolder(const std::string& path) {
  if (path.empty() || path.front() != '/') return std::nullopt;
  const std::unique_ptr<char, decltype(&std::free)> real(::realpath(path.c_str(), nullptr),
                                                         &std::free);
  if (real == nullptr || !IsFolder(real.get()) || !IsValidUtf8(real.get())) return std::nullopt;
  return std::string(real.get());
}

std::vector<Drive> ListDrives() {
  std::vector<Drive> drives{{"/", "/"}};
  AddUserPlaces(drives);
  const auto firstVolume = static_cast<std::ptrdiff_t>(drives.size());
  std::ifstream mounts("/proc/self/mounts");
  std::string line;
  while (std::getline(mounts, line)) {
    std::istringstream fields(line);
    std::string source, at, type;
    if (!(fields >> source >> at >> type)) continue;
    at = Unescape(at);
    if (!IsUserVolume(source, type, at) || !IsValidUtf8(at)) continue;
    if (!Listed(drives, at)) drives.push_back({at, at});
  }
  std::sort(drives.begin() + firstVolume, drives.end(),
            [](const Drive& a, const Drive& b) { return a.root < b.root; });
  return drives;
}

int DriveIndexOf(const std::string& path, const std::vector<Drive>& drives) {
  int best = -1;
  std::size_t bestLength = 0;
  for (std::size_t i = 0; i < drives.size(); ++i) {
    const std::string& root = drives[i].root;
    const bool under =
        root == "/" ? !path.empty() && path[0] == '/' : detail::IsAtOrUnder(path, root);
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
