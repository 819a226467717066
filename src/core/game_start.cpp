#include "core/game_start.h"

#include <algorithm>
#include <vector>

#include "platform/fs.h"
#include "platform/process.h"
#include "platform/steam.h"

namespace tarq::core {

bool IsGameFolder(const std::string& folder) {
  return platform::CanOpenForReading(platform::JoinPath(folder, kGameExecutable)) ||
         (platform::CanOpenForReading(platform::JoinPath(folder, kLinuxGameExecutable)) &&
          platform::FindSteamCopy(folder, kSteamAppId));
}

bool StartGame(const std::string& gameFolder, const std::string& optionText) {
  if (!gameFolder.empty() && !platform::ChangeDrive(gameFolder)) return false;
  if (!platform::ChangeFolder(gameFolder)) return false;
  if (const auto steam = platform::FindSteamCopy(gameFolder, kSteamAppId)) {
    // Steam hands the words on to the game as they are, the option text
    // shown included, and adds the launch options the user set in Steam.
    std::vector<std::string> arguments{"-applaunch", kSteamAppId};
    for (std::size_t at = 0; at < optionText.size();) {
      const std::size_t end = std::min(optionText.find(' ', at), optionText.size());
      if (end > at) arguments.push_back(optionText.substr(at, end - at));
      at = end + 1;
    }
    return platform::StartThroughSteam(*steam, arguments);
  }
  platform::ProcessStart start;
  start.executable = platform::JoinPath(gameFolder, kGameExecutable);
  start.commandTail = optionText;
  start.workingFolder = gameFolder;
  return platform::StartDetachedProcess(start);
}

}  // namespace tarq::core
