#pragma once
// Shared by the POSIX files of the platform; not part of its interface.

#include <optional>
#include <string>
#include <vector>

namespace tarq::platform::detail {

// Whether `path` is `folder` or lies in it; neither has a trailing separator.
inline bool IsAtOrUnder(const std::string& path, const std::string& folder) {
  return path.starts_with(folder) && (path.size() == folder.size() || path[folder.size()] == '/');
}

// $HOME without trailing separators; empty when it is not set.
std::string HomeFolder();

// An absolute path as the process's current folder would spell it (links
// resolved, no doubled separators); nullopt when it is not a folder or its
// name is not UTF-8.
std::optional<std::string> RealFolder(const std::string& path);

// The executable file `name` in the first folder of PATH that holds one;
// empty when there is none.
std::string FindInPath(const std::string& name);

// Starts args[0] (a full path) with args, in workingFolder, with the
// launcher's environment and `environment` ("NAME=value") set over it.
// The program gets a session of its own and is never the launcher's child
// to reap. False when it could not be started.
bool StartDetached(std::vector<std::string> args, const std::string& workingFolder,
                   std::vector<std::string> environment);

// Steam's libraries, each once under its real path: the folders of Steam's
// own installs (~/.steam/steam, ~/.steam/root, ~/.local/share/Steam and the
// Flatpak Steam's), each followed by the libraries its libraryfolders.vdf
// lists.
std::vector<std::string> SteamLibraries();

}  // namespace tarq::platform::detail
