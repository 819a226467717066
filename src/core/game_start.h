#pragma once
// The game folder and the start of the game in it.

#include <string>

namespace tarq::core {

inline constexpr const char* kGameExecutable = "hl.exe";
inline constexpr const char* kLinuxGameExecutable = "hl_linux";  // Steam's Linux build
inline constexpr const char* kSteamAppId = "70";

// Whether the game folder dialog takes `folder`: it holds hl.exe, or it is
// Steam's copy of the game (platform/steam.h) and holds hl_linux.
bool IsGameFolder(const std::string& folder);

// Makes the game folder the current drive and folder and starts the game
// with the option text, without waiting: Steam's copy through Steam, as
// `-applaunch 70` and the option text split at its spaces; any other copy by
// its hl.exe. False when there is no game folder, the folder cannot be
// entered, or the game cannot be started; the current folder may already
// have changed then.
bool StartGame(const std::string& gameFolder, const std::string& optionText);

}  // namespace tarq::core
