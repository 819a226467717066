#include "core/game_start.h"

#include "platform/fs.h"
#include "platform/process.h"

namespace tarq::core {

bool StartGame(const std::string& gameFolder, const std::string& optionText) {
  if (!gameFolder.empty() && !platform::ChangeDrive(gameFolder)) return false;
  if (!platform::ChangeFolder(gameFolder)) return false;
  platform::ProcessStart start;
  start.executable = platform::JoinPath(gameFolder, kGameExecutable);
  start.commandTail = optionText;
  start.workingFolder = gameFolder;
  return platform::StartDetachedProcess(start);
}

}  // namespace tarq::core
