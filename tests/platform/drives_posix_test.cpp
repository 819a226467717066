#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/drives.h"
#include "support/env_guard.h"
#include "support/temp_dir.h"

namespace tarq::platform {
namespace {

using testing::EnvGuard;
using testing::MakeFolders;
using testing::TempDir;
using testing::WriteBytes;

using Place = std::pair<std::string, std::string>;  // root, label

// A home folder made for the test, with WINEPREFIX unset unless a case sets it.
class PlacesTest : public ::testing::Test {
 protected:
  // "$DIR" in a path or label stands for the test's folder.
  std::string At(std::string text) const {
    for (auto at = text.find("$DIR"); at != std::string::npos; at = text.find("$DIR")) {
      text.replace(at, 4, real_);
    }
    return text;
  }
  // The drives that lie in the test's folder, after the root; they must come
  // before every other drive (the mounted volumes).
  std::vector<Place> Places() const {
    const std::vector<Drive> drives = ListDrives();
    EXPECT_FALSE(drives.empty());
    if (drives.empty()) return {};
    EXPECT_EQ(drives.front().root, "/");
    std::vector<Place> places;
    std::size_t i = 1;
    for (; i < drives.size() && drives[i].root.rfind(real_ + "/", 0) == 0; ++i) {
      places.emplace_back(drives[i].root, drives[i].label);
    }
    for (; i < drives.size(); ++i) {
      EXPECT_NE(drives[i].root.rfind(real_ + "/", 0), 0u) << drives[i].root << " after a volume";
    }
    return places;
  }

  TempDir dir_;
  std::string real_ = std::filesystem::canonical(dir_.Path()).string();
  EnvGuard home_{"HOME", real_ + "/home"};
  EnvGuard prefix_{"WINEPREFIX", std::nullopt};
};

struct PlacesCase {
  const char* name;
  std::vector<std::string> folders;                        // made in the test's folder
  std::vector<std::pair<std::string, std::string>> links;  // link -> target, in it
  std::optional<std::string> winePrefix;                   // "$DIR/..." or as given
  std::vector<Place> expected;                             // "$DIR/..."
  friend void PrintTo(const PlacesCase& c, std::ostream* os) { *os << c.name; }
};

class Offers : public PlacesTest, public ::testing::WithParamInterface<PlacesCase> {};

TEST_P(Offers, TheUsersPlacesAfterTheRoot) {
  for (const std::string& folder : GetParam().folders) MakeFolders(dir_ / folder);
  for (const auto& [link, target] : GetParam().links) {
    ASSERT_EQ(::symlink((dir_ / target).c_str(), (dir_ / link).c_str()), 0);
  }
  std::optional<EnvGuard> prefix;
  if (GetParam().winePrefix) prefix.emplace("WINEPREFIX", At(*GetParam().winePrefix));
  std::vector<Place> expected;
  for (const auto& [root, label] : GetParam().expected) expected.emplace_back(At(root), At(label));
  EXPECT_EQ(Places(), expected);
}

const char* const kHome = "$DIR/home";
const char* const kDriveC = "$DIR/home/.wine/drive_c";

INSTANTIATE_TEST_SUITE_P(
    Places, Offers,
    ::testing::Values(PlacesCase{"home_alone", {"home/Games"}, {}, std::nullopt, {{kHome, kHome}}},
                      PlacesCase{"no_home_folder", {}, {}, std::nullopt, {}},
                      PlacesCase{"default_wine_prefix",
                                 {"home/.wine/drive_c/Sierra"},
                                 {},
                                 std::nullopt,
                                 {{kHome, kHome}, {kDriveC, "Wine C:"}}},
                      PlacesCase{"wineprefix_alone",
                                 {"home", "prefix/drive_c"},
                                 {},
                                 "$DIR/prefix",
                                 {{kHome, kHome}, {"$DIR/prefix/drive_c", "Wine C:"}}},
                      PlacesCase{"two_prefixes_the_one_in_use_first",
                                 {"home/.wine/drive_c", "prefix/drive_c"},
                                 {},
                                 "$DIR/prefix",
                                 {{kHome, kHome},
                                  {"$DIR/prefix/drive_c", "Wine C: ($DIR/prefix)"},
                                  {kDriveC, "Wine C: (~/.wine)"}}},
                      PlacesCase{"a_prefix_in_home_is_shown_from_home",
                                 {"home/.wine/drive_c", "home/games/hl/drive_c"},
                                 {},
                                 "$DIR/home/games/hl/",
                                 {{kHome, kHome},
                                  {"$DIR/home/games/hl/drive_c", "Wine C: (~/games/hl)"},
                                  {kDriveC, "Wine C: (~/.wine)"}}},
                      PlacesCase{"wineprefix_naming_the_default_once",
                                 {"home/.wine/drive_c"},
                                 {},
                                 "$DIR/home//.wine/",
                                 {{kHome, kHome}, {kDriveC, "Wine C:"}}},
                      PlacesCase{"the_same_prefix_through_a_link_once",
                                 {"home", "wine/drive_c"},
                                 {{"home/.wine", "wine"}},
                                 "$DIR/wine",
                                 {{kHome, kHome}, {"$DIR/wine/drive_c", "Wine C:"}}},
                      PlacesCase{"a_prefix_without_drive_c_is_left_out",
                                 {"home/.wine/drive_c", "prefix"},
                                 {},
                                 "$DIR/prefix",
                                 {{kHome, kHome}, {kDriveC, "Wine C:"}}},
                      PlacesCase{"a_relative_wineprefix_is_left_out",
                                 {"home/.wine/drive_c"},
                                 {},
                                 "home/.wine",
                                 {{kHome, kHome}, {kDriveC, "Wine C:"}}},
                      PlacesCase{"steam_games",
                                 {"home/.local/share/Steam/steamapps/common/Half-Life"},
                                 {},
                                 std::nullopt,
                                 {{kHome, kHome},
                                  {"$DIR/home/.local/share/Steam/steamapps/common", "Steam"}}},
                      PlacesCase{"steam_without_games_is_left_out",
                                 {"home/.local/share/Steam/steamapps"},
                                 {},
                                 std::nullopt,
                                 {{kHome, kHome}}}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(PlacesTest, EverySteamLibraryOnceNamedByItsFolder) {
  const std::string steam = "home/.local/share/Steam";
  const std::string flatpak = "home/.var/app/com.valvesoftware.Steam/.local/share/Steam";
  for (const std::string& library :
       {steam, flatpak, std::string("lib2"), std::string("lib3"), std::string("lib4")}) {
    MakeFolders(dir_ / (library + "/steamapps/common"));
  }
  MakeFolders(dir_ / "home/.steam");
  MakeFolders(dir_ / (steam + "/config"));
  ASSERT_EQ(::symlink((dir_ / steam).c_str(), (dir_ / "home/.steam/steam").c_str()), 0);
  WriteBytes(dir_ / (steam + "/steamapps/libraryfolders.vdf"),
             At("\"libraryfolders\" { \"0\" { \"path\" \"$DIR/" + steam +
                "\" } \"1\" { \"path\" \"$DIR/lib2\" \"apps\" { \"70\" \"1\" } } }"));
  WriteBytes(dir_ / (steam + "/config/libraryfolders.vdf"),
             At("\"LibraryFolders\" { \"ContentStatsID\" \"$DIR/lib4\" \"1\" \"$DIR/lib3\" "
                "\"2\" \"lib4\" }"));
  WriteBytes(dir_ / (flatpak + "/steamapps/libraryfolders.vdf"),
             At("\"libraryfolders\" { \"1\" { \"path\" \"$DIR/lib4\" }"));  // cut short
  EXPECT_EQ(Places(),
            (std::vector<Place>{
                {At("$DIR/home"), At("$DIR/home")},
                {At("$DIR/" + steam + "/steamapps/common"), "Steam (~/.local/share/Steam)"},
                {At("$DIR/lib2/steamapps/common"), At("Steam ($DIR/lib2)")},
                {At("$DIR/lib3/steamapps/common"), At("Steam ($DIR/lib3)")},
                {At("$DIR/" + flatpak + "/steamapps/common"),
                 "Steam (~/.var/app/com.valvesoftware.Steam/.local/share/Steam)"}}));
}

TEST_F(PlacesTest, AHomeLinkedElsewhereIsOfferedWhereItLies) {
  MakeFolders(dir_ / "real-home/.wine/drive_c");
  ASSERT_EQ(::symlink((dir_ / "real-home").c_str(), (dir_ / "home").c_str()), 0);
  EXPECT_EQ(Places(), (std::vector<Place>{{At("$DIR/real-home"), At("$DIR/real-home")},
                                          {At("$DIR/real-home/.wine/drive_c"), "Wine C:"}}));
}

TEST_F(PlacesTest, WithoutHomeTheWinePrefixInUseIsStillOffered) {
  MakeFolders(dir_ / "prefix/drive_c");
  const EnvGuard noHome("HOME", std::nullopt);
  const EnvGuard prefix("WINEPREFIX", dir_ / "prefix");
  EXPECT_EQ(Places(), (std::vector<Place>{{At("$DIR/prefix/drive_c"), "Wine C:"}}));
}

TEST_F(PlacesTest, APlaceThatHasGoneCannotBeOpened) {
  MakeFolders(dir_ / "home/.wine/drive_c");
  const std::vector<Drive> drives = ListDrives();
  ASSERT_GE(drives.size(), 3u);
  ASSERT_EQ(drives[2].label, "Wine C:");
  EXPECT_EQ(DriveCurrentFolder(drives[2]), drives[2].root);
  std::filesystem::remove_all(dir_ / "home/.wine");
  EXPECT_EQ(DriveCurrentFolder(drives[2]), std::nullopt);
}

struct IndexCase {
  const char* path;
  int drive;
};

TEST(DriveIndexOf, TheLongestRootThatHoldsThePath) {
  const std::vector<Drive> drives{{"/", "/"},
                                  {"/home/al", "/home/al"},
                                  {"/home/al/.wine/drive_c", "Wine C:"},
                                  {"/media/usb", "/media/usb"}};
  const IndexCase cases[] = {{"/", 0},
                             {"/home", 0},
                             {"/home/alice", 0},
                             {"/home/al", 1},
                             {"/home/al/.wine", 1},
                             {"/home/al/.wine/drive_c", 2},
                             {"/home/al/.wine/drive_c/Sierra/Half-Life", 2},
                             {"/home/al/.wine/drive_cc", 1},
                             {"/media/usb/games", 3},
                             {"relative/path", -1},
                             {"", -1}};
  for (const IndexCase& c : cases) EXPECT_EQ(DriveIndexOf(c.path, drives), c.drive) << c.path;
}

TEST(ListSubfolders, ShowsDotFoldersButNotTheFolderItselfItsParentOrFiles) {
  TempDir dir;
  for (const char* folder : {".wine", ".local", "Games"}) MakeFolders(dir / folder);
  WriteBytes(dir / ".profile", "");
  WriteBytes(dir / "notes", "");
  ASSERT_EQ(::symlink((dir / ".wine").c_str(), (dir / ".wine-link").c_str()), 0);
  auto names = ListSubfolders(dir.Path());
  ASSERT_TRUE(names.has_value());
  std::sort(names->begin(), names->end());
  EXPECT_EQ(*names, (std::vector<std::string>{".local", ".wine", ".wine-link", "Games"}));
  EXPECT_FALSE(ListSubfolders(dir / "missing").has_value());
}

}  // namespace
}  // namespace tarq::platform
