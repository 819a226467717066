#include "platform/steam.h"

namespace tarq::platform {

// Windows starts Steam's copy by its own hl.exe, as any other copy.
std::optional<SteamCopy> FindSteamCopy(const std::string& /*gameFolder*/,
                                       std::string_view /*appId*/) {
  return std::nullopt;
}

// Never reached: no folder is Steam's copy here.
bool StartThroughSteam(const SteamCopy& /*copy*/, const std::vector<std::string>& /*arguments*/) {
  return false;
}

}  // namespace tarq::platform
