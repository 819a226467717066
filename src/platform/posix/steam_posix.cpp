#include <algorithm>

#include "platform/drives.h"
#include "platform/fs.h"
#include "platform/key_values.h"
#include "platform/posix/posix_internal.h"
#include "platform/steam.h"
#include "platform/text.h"

namespace tarq::platform {
namespace {

constexpr const char* kFlatpakSteam = "com.valvesoftware.Steam";

// The Flatpak Steam's own folder: its home, and the libraries it owns.
std::string FlatpakFolder(const std::string& home) {
  return ChildFolder(home, std::string(".var/app/") + kFlatpakSteam);
}

void AddOnce(std::vector<std::string>& folders, const std::string& folder) {
  if (std::find(folders.begin(), folders.end(), folder) == folders.end()) folders.push_back(folder);
}

bool IsNumber(const std::string& text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The libraries a libraryfolders.vdf lists: in the current format each
// numbered entry is a block with a "path", in the older one the path itself.
void AddListedLibraries(const std::string& file, std::vector<std::string>& libraries) {
  const auto entries = ReadKeyValuesFile(file);
  const KeyValue* list = entries ? Find(*entries, "libraryfolders") : nullptr;
  if (list == nullptr || !list->isBlock) return;
  for (const KeyValue& entry : list->block) {
    if (!IsNumber(entry.key)) continue;  // the older format's statistics
    const std::string* path = entry.isBlock ? FindValue(&entry, "path") : &entry.value;
    const auto library = path != nullptr ? detail::RealFolder(*path) : std::nullopt;
    if (library) AddOnce(libraries, *library);
  }
}

}  // namespace

std::vector<std::string> detail::SteamLibraries() {
  const std::string home = HomeFolder();
  if (home.empty()) return {};
  std::vector<std::string> installs;
  for (const std::string& install :
       {ChildFolder(home, ".steam/steam"), ChildFolder(home, ".steam/root"),
        ChildFolder(home, ".local/share/Steam"),
        ChildFolder(FlatpakFolder(home), ".local/share/Steam")}) {
    if (const auto folder = RealFolder(install)) AddOnce(installs, *folder);
  }
  std::vector<std::string> libraries;
  for (const std::string& install : installs) {
    AddOnce(libraries, install);
    AddListedLibraries(ChildFolder(install, "steamapps/libraryfolders.vdf"), libraries);
    AddListedLibraries(ChildFolder(install, "config/libraryfolders.vdf"), libraries);
  }
  return libraries;
}

std::optional<SteamCopy> FindSteamCopy(const std::string& gameFolder, std::string_view appId) {
  const std::string common = ParentFolder(gameFolder);
  const std::string steamapps = ParentFolder(common);
  const std::string_view dir = FileNameOf(gameFolder);
  if (dir.empty() || FileNameOf(common) != "common" ||
      !SameIgnoringAsciiCase(FileNameOf(steamapps), "steamapps")) {
    return std::nullopt;
  }
  const auto manifest =
      ReadKeyValuesFile(JoinPath(steamapps, "appmanifest_" + std::string(appId) + ".acf"));
  const std::string* installdir =
      manifest ? FindValue(Find(*manifest, "AppState"), "installdir") : nullptr;
  if (installdir == nullptr || *installdir != dir) return std::nullopt;

  SteamCopy copy{ParentFolder(steamapps), false};
  const std::string home = detail::HomeFolder();
  const auto flatpak = home.empty() ? std::nullopt : detail::RealFolder(FlatpakFolder(home));
  const auto library = detail::RealFolder(copy.library);
  copy.flatpak = flatpak && library && detail::IsAtOrUnder(*library, *flatpak);
  return copy;
}

bool StartThroughSteam(const SteamCopy& copy, const std::vector<std::string>& arguments) {
  std::vector<std::string> args;
  if (copy.flatpak) {
    args = {detail::FindInPath("flatpak"), "run", kFlatpakSteam};
  } else {
    args = {detail::FindInPath("steam")};
  }
  if (args.front().empty()) return false;
  args.insert(args.end(), arguments.begin(), arguments.end());
  // A Steam that was not running stays after the game: it should hold no
  // game folder or disk busy, as it does when started from the desktop.
  const std::string home = detail::HomeFolder();
  return detail::StartDetached(std::move(args), IsFolder(home) ? home : "/", {});
}

}  // namespace tarq::platform
