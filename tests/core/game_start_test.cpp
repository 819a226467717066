#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include <cstdlib>

#include "core/game_start.h"
#include "platform/fs.h"
#include "platform/process.h"
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

TEST_F(GameStartTest, AWindowsProgramStartsThroughWine) {
  const std::string folder = dir_ / "win";
  MakeFolders(folder);
  testing::WriteBytes(platform::JoinPath(folder, "hl.exe"), "MZ\x90");
  const std::string bin = dir_ / "bin";
  MakeFolders(bin);
  MakeExecutable(platform::JoinPath(bin, "wine"),
                 "#!/bin/sh\n"
                 "{ pwd -P; for a in \"$@\"; do printf '[%s]\\n' \"$a\"; done; } > \"$0.tmp\"\n"
                 "mv \"$0.tmp\" \"$0.record\"\n");
  const PathGuard path(bin + ":/usr/bin:/bin");
  ASSERT_TRUE(StartGame(folder, " +skill \"1\""));
  const std::string record = platform::JoinPath(bin, "wine.record");
  ASSERT_TRUE(WaitForFile(record));
  EXPECT_EQ(ReadBytes(record), folder + "\n[" + folder + "/hl.exe]\n[+skill]\n[1]\n");
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
