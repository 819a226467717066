// The game start on Windows, with a stand-in hl.exe that records the command
// line it received and its working folder.

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "core/game_start.h"
#include "platform/fs.h"
#include "platform/process.h"
#include "platform/win32/process_win32.h"
#include "support/temp_dir.h"

namespace tarq::core {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::TempDir;

class WindowsGameStart : public ::testing::Test {
 protected:
  void SetUp() override { saved_ = platform::CurrentFolder(); }
  void TearDown() override { platform::ChangeFolder(saved_); }

  std::string MakeGame(const std::string& name) {
    const std::string folder = dir_ / name;
    fs::create_directories(fs::u8path(folder));
    fs::copy_file(fs::u8path(TARQ_STANDIN_EXE), fs::u8path(platform::JoinPath(folder, "hl.exe")));
    return folder;
  }

  TempDir dir_;
  std::string saved_;
};

struct Row {
  const char* name;
  const char* options;
  friend void PrintTo(const Row& r, std::ostream* os) { *os << r.name; }
};

class EveryOptionRow : public WindowsGameStart, public ::testing::WithParamInterface<Row> {};

TEST_P(EveryOptionRow, StartsExactlyHlExeQuotedWithTheOptionsUnchanged) {
  const std::string folder = MakeGame("Half Life ゲーム");
  ASSERT_TRUE(StartGame(folder, GetParam().options));
  const std::string record = platform::JoinPath(folder, "hl.exe.record");
  ASSERT_TRUE(testing::WaitForFile(record));
  EXPECT_EQ(ReadBytes(record),
            "\"" + folder + "\\hl.exe\"" + GetParam().options + "\n" + folder + "\n");
  EXPECT_EQ(platform::CurrentFolder(), folder);
}

INSTANTIATE_TEST_SUITE_P(
    Options, EveryOptionRow,
    ::testing::Values(Row{"none", ""}, Row{"map", " +map c1a0"}, Row{"easy", " +skill \"1\""},
                      Row{"normal", " +skill \"2\""}, Row{"hard", " +skill \"3\""},
                      Row{"heap_16", " -heapsize 16000"}, Row{"heap_128", " -heapsize 128000"},
                      Row{"console", " -console"}, Row{"dev_console", " -dev toconsole"},
                      Row{"all", " +map c2a1 +skill \"1\" -heapsize 32000 -console"}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(WindowsGameStart, ANameWithShellCharactersIsOnlyText) {
  const std::string folder = MakeGame("a&b;c $(x)");
  ASSERT_TRUE(StartGame(folder, " +map x&calc"));
  const std::string record = platform::JoinPath(folder, "hl.exe.record");
  ASSERT_TRUE(testing::WaitForFile(record));
  EXPECT_EQ(ReadBytes(record), "\"" + folder + "\\hl.exe\" +map x&calc\n" + folder + "\n");
}

// The start for a game that asks to run as administrator. Wine starts such
// a program without asking, so the shell's way is tried directly: the game
// gets the same command line and folder.
TEST_F(WindowsGameStart, ThroughTheShellTheSameCommandLineAndFolder) {
  for (const std::string options : {" +map c1a0 +skill \"1\" -dev toconsole", ""}) {
    const std::string folder = MakeGame("管理者 " + std::to_string(options.size()));
    const platform::ProcessStart start{platform::JoinPath(folder, "hl.exe"), options, folder};
    ASSERT_TRUE(platform::win32::StartThroughShell(start));
    const std::string record = platform::JoinPath(folder, "hl.exe.record");
    ASSERT_TRUE(testing::WaitForFile(record));
    EXPECT_EQ(ReadBytes(record), "\"" + start.executable + "\"" + options + "\n" + folder + "\n");
  }
}

TEST_F(WindowsGameStart, NoGameFolderOrNoHlExeStartsNothing) {
  EXPECT_FALSE(StartGame("", ""));
  EXPECT_FALSE(StartGame(dir_ / "missing", ""));
  fs::create_directories(fs::u8path(dir_ / "empty"));
  EXPECT_FALSE(StartGame(dir_ / "empty", ""));
}

TEST_F(WindowsGameStart, ChangesTheDriveToTheGameFolders) {
  const std::string folder = MakeGame("drive");
  ASSERT_TRUE(platform::ChangeFolder("Z:\\"));
  ASSERT_TRUE(StartGame(folder, ""));
  EXPECT_EQ(platform::CurrentFolder().substr(0, 2), folder.substr(0, 2));
}

}  // namespace
}  // namespace tarq::core
