#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include <cstdlib>

#include "core/game_start.h"
#include "platform/fs.h"
#include "platform/process.h"
#include "support/env_guard.h"
#include "support/temp_dir.h"

namespace tarq::core {
namespace {

using testing::MakeExecutable;
using testing::MakeFolders;
using testing::ReadBytes;
using testing::TempDir;
using testing::WaitForFile;

// A stand-in game: records its working folder and its arguments, one per line.
constexpr const char* kStandIn =
    "#!/bin/sh\n"
    "{ pwd -P; for a in \"$@\"; do printf '[%s]\\n' \"$a\"; done; } > \"$0.record.tmp\"\n"
    "mv \"$0.record.tmp\" \"$0.record\"\n";

class GameStartTest : public ::testing::Test {
 protected:
  void SetUp() override { saved_ = platform::CurrentFolder(); }
  void TearDown() override { platform::ChangeFolder(saved_); }

  std::string MakeGame(const std::string& name) {
    const std::string folder = dir_ / name;
    MakeFolders(folder);
    MakeExecutable(platform::JoinPath(folder, "hl.exe"), kStandIn);
    return folder;
  }

  static std::string Record(const std::string& folder) {
    const std::string path = platform::JoinPath(folder, "hl.exe.record");
    return WaitForFile(path) ? ReadBytes(path) : "(the game never ran)";
  }

  TempDir dir_;
  std::string saved_;
};

struct StartCase {
  const char* name;
  const char* folderName;
  const char* options;
  const char* arguments;
  friend void PrintTo(const StartCase& c, std::ostream* os) { *os << c.name; }
};

class StartsTheGame : public GameStartTest, public ::testing::WithParamInterface<StartCase> {};

TEST_P(StartsTheGame, InItsFolderWithTheOptionsSplitAsWindowsDoes) {
  const StartCase& c = GetParam();
  const std::string folder = MakeGame(c.folderName);
  ASSERT_TRUE(StartGame(folder, c.options));
  EXPECT_EQ(Record(folder), folder + "\n" + c.arguments);
  EXPECT_EQ(platform::CurrentFolder(), folder);  // the launcher stays in the game folder
}

INSTANTIATE_TEST_SUITE_P(
    Options, StartsTheGame,
    ::testing::Values(
        StartCase{"no_options", "hl", "", ""},
        StartCase{"all_options", "hl", " +map c1a0 +skill \"1\" -heapsize 32000 -console",
                  "[+map]\n[c1a0]\n[+skill]\n[1]\n[-heapsize]\n[32000]\n[-console]\n"},
        StartCase{"console_two_words", "hl", " -dev toconsole", "[-dev]\n[toconsole]\n"},
        StartCase{"folder_with_spaces_and_japanese", "Half Life ゲーム", " +skill \"3\"",
                  "[+skill]\n[3]\n"},
        StartCase{"shell_characters_stay_text", "a;b $(x) `y`", " +map $(touch_x)`id`;ls",
                  "[+map]\n[$(touch_x)`id`;ls]\n"}),
    [](const auto& p) { return std::string(p.param.name); });

// Whatever a folder or a map name holds, the program started is exactly the
// folder's hl.exe, in exactly that folder, with the option text split by the
// Windows rules; no shell ever sees it, so nothing in it runs.
struct Unsafe {
  const char* name;
  const char* folder;
  const char* options;
  friend void PrintTo(const Unsafe& u, std::ostream* os) { *os << u.name; }
};

class UnsafeNames : public GameStartTest, public ::testing::WithParamInterface<Unsafe> {};

TEST_P(UnsafeNames, AreOnlyText) {
  const Unsafe& u = GetParam();
  const std::string folder = MakeGame(u.folder);
  ASSERT_TRUE(StartGame(folder, u.options));
  std::string expected = folder + "\n";
  for (const std::string& arg : platform::SplitWindowsCommandTail(u.options)) {
    expected += "[" + arg + "]\n";
  }
  EXPECT_EQ(Record(folder), expected);
  EXPECT_FALSE(testing::Exists(dir_ / "pwned") ||
               testing::Exists(platform::JoinPath(folder, "pwned")))
      << "a name ran a command";
}

INSTANTIATE_TEST_SUITE_P(
    Names, UnsafeNames,
    ::testing::Values(Unsafe{"quotes", "say \"hi\" there", " +map a\"b c\""},
                      Unsafe{"leading_dash", "-rf", " +map -x"},
                      Unsafe{"leading_plus", "+exec", " +map +quit"},
                      Unsafe{"semicolon", "a;touch pwned", " +map x;touch_pwned"},
                      Unsafe{"command_substitution", "$(touch pwned)", " +map $(touch${IFS}pwned)"},
                      Unsafe{"backquotes", "`touch pwned`", " +map `touch pwned`"},
                      Unsafe{"japanese", "ゲーム フォルダ", " +map 地図 +skill \"3\""},
                      Unsafe{"backslashes", "back\\slash", " +map a\\\"b"}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(GameStartTest, NoGameFolderStartsNothing) {
  EXPECT_FALSE(StartGame("", ""));
}

TEST_F(GameStartTest, AMissingFolderOrHlExeIsAFailure) {
  EXPECT_FALSE(StartGame(dir_ / "missing", ""));
  MakeFolders(dir_ / "empty");
  EXPECT_FALSE(StartGame(dir_ / "empty", ""));
}

class PathGuard {
 public:
  explicit PathGuard(const std::string& path) : saved_(std::getenv("PATH")) {
    ::setenv("PATH", path.c_str(), 1);
  }
  ~PathGuard() { ::setenv("PATH", saved_.c_str(), 1); }

 private:
  std::string saved_;
};

// A home with a library of Steam's, and stand-ins for steam and flatpak on PATH
// that record their arguments.
class SteamCopyTest : public GameStartTest {
 protected:
  SteamCopyTest() {
    MakeFolders(dir_ / "home");
    MakeFolders(dir_ / "bin");
    for (const char* program : {"steam", "flatpak"}) {
      MakeExecutable(dir_ / ("bin/" + std::string(program)), kStandIn);
    }
  }
  // <steamapps>/common/Half-Life with hl_linux, and the manifest when given.
  std::string MakeCopy(const std::string& steamapps, const std::string& manifest) {
    MakeFolders(dir_ / (steamapps + "/common/Half-Life"));
    testing::WriteBytes(dir_ / (steamapps + "/common/Half-Life/hl_linux"), "");
    if (!manifest.empty())
      testing::WriteBytes(dir_ / (steamapps + "/appmanifest_70.acf"), manifest);
    return dir_ / (steamapps + "/common/Half-Life");
  }

  testing::EnvGuard home_{"HOME", dir_ / "home"};
  PathGuard path_{dir_ / "bin:/usr/bin:/bin"};
};

constexpr const char* kManifest =
    "\"AppState\"\n{\n\t\"appid\"\t\t\"70\"\n\t\"installdir\"\t\t\"Half-Life\"\n}\n";

struct SteamCase {
  const char* name;
  const char* steamapps;  // in the test's folder
  std::string manifest;
  const char* steam;  // the stand-in that starts it; nullptr: not Steam's copy
  const char* arguments;
  friend void PrintTo(const SteamCase& c, std::ostream* os) { *os << c.name; }
};

class StartsSteamsCopy : public SteamCopyTest, public ::testing::WithParamInterface<SteamCase> {};

TEST_P(StartsSteamsCopy, ThroughTheSteamThatOwnsTheLibrary) {
  const SteamCase& c = GetParam();
  const std::string folder = MakeCopy(c.steamapps, c.manifest);
  EXPECT_EQ(IsGameFolder(folder), c.steam != nullptr);
  EXPECT_EQ(StartGame(folder, " +map c1a0 +skill \"1\" -dev toconsole"), c.steam != nullptr);
  if (c.steam == nullptr) return;
  const std::string record = dir_ / ("bin/" + std::string(c.steam) + ".record");
  ASSERT_TRUE(WaitForFile(record));
  EXPECT_EQ(ReadBytes(record), dir_ / "home\n" + c.arguments +
                                   "[-applaunch]\n[70]\n[+map]\n[c1a0]\n[+skill]\n[\"1\"]\n"
                                   "[-dev]\n[toconsole]\n");
}

INSTANTIATE_TEST_SUITE_P(
    Libraries, StartsSteamsCopy,
    ::testing::Values(
        SteamCase{"steams_own", "home/.local/share/Steam/steamapps", kManifest, "steam", ""},
        SteamCase{"flatpak", "home/.var/app/com.valvesoftware.Steam/.local/share/Steam/steamapps",
                  kManifest, "flatpak", "[run]\n[com.valvesoftware.Steam]\n"},
        SteamCase{"another_disk_older_case", "games/SteamApps", kManifest, "steam", ""},
        SteamCase{"no_manifest", "games/steamapps", "", nullptr, ""},
        SteamCase{"another_installdir", "games/steamapps",
                  "\"AppState\" { \"installdir\" \"Half-Life 2\" }", nullptr, ""},
        SteamCase{"steamapps_not_above_common", "games/steamapps/other", kManifest, nullptr, ""}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(SteamCopyTest, WithoutSteamOnPathStartsNothing) {
  const std::string folder = MakeCopy("games/steamapps", kManifest);
  const PathGuard noSteam(dir_ / "home");
  EXPECT_FALSE(StartGame(folder, ""));
}

// In a Wine prefix's drive_c the game runs in that prefix; elsewhere in the
// launcher's, which start_through_wine.sh shows.
TEST_F(GameStartTest, AWindowsProgramStartsThroughWineInItsPrefix) {
  const std::string folder = dir_ / "pfx/drive_c/win";
  MakeFolders(folder);
  testing::WriteBytes(platform::JoinPath(folder, "hl.exe"), "MZ\x90");
  testing::WriteBytes(dir_ / "pfx/system.reg", "WINE REGISTRY Version 2\n");
  const std::string bin = dir_ / "bin";
  MakeFolders(bin);
  MakeExecutable(
      platform::JoinPath(bin, "wine"),
      "#!/bin/sh\n"
      "{ pwd -P; echo \"$WINEPREFIX\"; for a in \"$@\"; do printf '[%s]\\n' \"$a\"; done; }"
      " > \"$0.tmp\"\n"
      "mv \"$0.tmp\" \"$0.record\"\n");
  const PathGuard path(bin + ":/usr/bin:/bin");
  ASSERT_TRUE(StartGame(folder, " +skill \"1\""));
  const std::string record = platform::JoinPath(bin, "wine.record");
  ASSERT_TRUE(WaitForFile(record));
  EXPECT_EQ(ReadBytes(record),
            folder + "\n" + dir_ / "pfx\n[" + folder + "/hl.exe]\n[+skill]\n[1]\n");
}

TEST_F(GameStartTest, AWindowsProgramWithoutWineIsAFailure) {
  const std::string folder = dir_ / "win";
  MakeFolders(folder);
  testing::WriteBytes(platform::JoinPath(folder, "hl.exe"), "MZ\x90");
  const std::string bin = dir_ / "empty-bin";
  MakeFolders(bin);
  const PathGuard path(bin);
  EXPECT_FALSE(StartGame(folder, ""));
}

TEST_F(GameStartTest, LeavesNoZombie) {
  const std::string folder = MakeGame("hl");
  ASSERT_TRUE(StartGame(folder, ""));
  Record(folder);
  // The launcher has no child left to reap: the game belongs to init.
  EXPECT_EQ(::waitpid(-1, nullptr, WNOHANG), -1);
  EXPECT_EQ(errno, ECHILD);
}

}  // namespace
}  // namespace tarq::core
