#pragma once
// Steam's copy of a game, and its start through Steam.
//
// On Linux a game folder is Steam's copy when it is
// <library>/steamapps/common/<dir> ("steamapps" in any case) and
// <library>/steamapps/appmanifest_<app id>.acf names <dir> as its
// "installdir". Such a copy runs only under Steam: its Linux build needs
// Steam's runtime, its Windows build under Proton Steam's authentication. So
// it is started as Steam itself offers, `steam -applaunch <app id> ...`, by
// the Steam that owns the library: the Flatpak Steam
// (`flatpak run com.valvesoftware.Steam`) for a library in its own folder
// ~/.var/app/com.valvesoftware.Steam, otherwise `steam` from PATH.
//
// On Windows the launcher starts the game's own hl.exe, Steam's copy too:
// no folder is taken for Steam's copy there.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarq::platform {

struct SteamCopy {
  std::string library;   // the folder that holds steamapps
  bool flatpak = false;  // the library belongs to the Flatpak Steam
};

std::optional<SteamCopy> FindSteamCopy(const std::string& gameFolder, std::string_view appId);

// Runs the Steam that owns the copy's library with `arguments`, each as it
// is, without waiting and without a shell. False when that Steam cannot be
// found on PATH or started.
bool StartThroughSteam(const SteamCopy& copy, const std::vector<std::string>& arguments);

}  // namespace tarq::platform
