#pragma once

#include <string>

namespace tarq::core {

inline constexpr const char* kGameExecutable = "hl.exe";

// Makes the game folder the current drive and folder and starts its hl.exe
// with the option text, without waiting. False when there is no game folder,
// the folder cannot be entered, or the game cannot be started; the current
// folder may already have changed then.
bool StartGame(const std::string& gameFolder, const std::string& optionText);

}  // namespace tarq::core
