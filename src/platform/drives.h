#pragma once
// Drives and folder navigation for the game folder dialog.
//
// On Windows the drives are the system's drive letters. On POSIX systems
// they are, in this order: the root; the places a user of Windows games
// starts from, the home folder ($HOME), the C: drive of each Wine prefix
// ($WINEPREFIX/drive_c, then ~/.wine/drive_c) and the game folder
// (steamapps/common) of each Steam library: those of Steam's own installs
// (~/.steam/steam, ~/.steam/root, ~/.local/share/Steam, the Flatpak Steam's
// ~/.var/app/com.valvesoftware.Steam/.local/share/Steam) and those their
// libraryfolders.vdf lists. Places of one kind are named "Wine C:" and
// "Steam", with the prefix's or the library's folder when there are
// several ("Steam (/mnt/games/SteamLibrary)"); then the mounted volumes a
// user would pick (removable media and other disks under /media, /mnt and
// /run/media), not pseudo file systems. A place is listed only when it is a
// folder, once, under its real path (the form the current folder has).

#include <optional>
#include <string>
#include <vector>

namespace tarq::platform {

struct Drive {
  std::string root;   // "C:\", "/", "/home/alice/.wine/drive_c", "/media/usb"
  std::string label;  // what the drive list shows
};

std::vector<Drive> ListDrives();

// The drive of `drives` that holds path: the longest root that prefixes it,
// so a folder under ~/.wine/drive_c is on the Wine C: drive, not on home.
// -1 when none does.
int DriveIndexOf(const std::string& path, const std::vector<Drive>& drives);

// The folder a drive opens on (on Windows the drive's own current folder);
// nullopt when the drive is not ready or cannot be read.
std::optional<std::string> DriveCurrentFolder(const Drive& drive);

// The subfolders of a folder that the folder list shows, unsorted: on
// Windows those that are not hidden, on POSIX systems every one, dot-folders
// included. nullopt when the folder cannot be listed.
std::optional<std::vector<std::string>> ListSubfolders(const std::string& folder);

// The folders from the root down to `folder`, each a full path without a
// trailing separator except the root: "/a/b" gives "/", "/a", "/a/b".
std::vector<std::string> FolderChain(const std::string& folder);

// folder + name, with one separator even at a root.
std::string ChildFolder(const std::string& folder, const std::string& name);

}  // namespace tarq::platform
