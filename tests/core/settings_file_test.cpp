#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#endif

#include <filesystem>

#include "core/settings_file.h"
#include "platform/fs.h"
#include "support/debris.h"
#include "support/fault_stages.h"
#include "support/temp_dir.h"

namespace tarq::core {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

struct NumberCase {
  const char* text;
  std::optional<std::int16_t> value;
  friend void PrintTo(const NumberCase& c, std::ostream* os) { *os << '"' << c.text << '"'; }
};

class SettingsNumberTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(SettingsNumberTest, ReadsAsTheFileHasAlwaysBeenRead) {
  EXPECT_EQ(SettingsNumber(GetParam().text), GetParam().value) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Conversion, SettingsNumberTest,
    ::testing::Values(NumberCase{" 2 ", 2}, NumberCase{"2", 2}, NumberCase{"\t2", 2},
                      NumberCase{"2 5", 25},  // blanks ignored wherever they stand
                      NumberCase{"2.5", 2},   // halves to the even neighbour
                      NumberCase{"3.5", 4}, NumberCase{"-0.5", 0}, NumberCase{"-1.5", -2},
                      NumberCase{"-1", -1}, NumberCase{"-1 ", -1}, NumberCase{"- 1", -1},
                      NumberCase{"+3", 3}, NumberCase{"1e1", 10}, NumberCase{"1E1", 10},
                      NumberCase{"15e-1", 2}, NumberCase{"1e", 1}, NumberCase{".5", 0},
                      NumberCase{"2x", 2}, NumberCase{"2-1", 2}, NumberCase{"1.2.3", 1},
                      NumberCase{"abc", 0}, NumberCase{"", 0}, NumberCase{"-", 0},
                      NumberCase{"&H10", 0}, NumberCase{"32767", 32767},
                      NumberCase{"-32768", -32768}, NumberCase{"32767.5", std::nullopt},
                      NumberCase{"99999", std::nullopt}, NumberCase{"1e9", std::nullopt},
                      NumberCase{"1e400", std::nullopt}, NumberCase{"-40000", std::nullopt}));

TEST(PrintForm, WritesSignOrSpaceDigitsAndSpace) {
  EXPECT_EQ(PrintForm(2), " 2 ");
  EXPECT_EQ(PrintForm(0), " 0 ");
  EXPECT_EQ(PrintForm(-1), "-1 ");
  EXPECT_EQ(PrintForm(128), " 128 ");
}

TEST(ReadSettingsLines, AcceptsEveryLineEnd) {
  TempDir dir;
  const std::vector<std::string> expected{"C:\\HL", " 1 ", " 2 ", " 0 "};
  for (const char* end : {"\r\n", "\n", "\r"}) {
    const std::string e(end);
    WriteBytes(dir / "cfg", "C:\\HL" + e + " 1 " + e + " 2 " + e + " 0 " + e);
    EXPECT_EQ(ReadSettingsLines(dir / "cfg"), expected) << ::testing::PrintToString(e);
  }
}

TEST(ReadSettingsLines, KeepsEmptyLinesAndALastLineWithoutEnd) {
  TempDir dir;
  WriteBytes(dir / "cfg", "\r\n 1 \r\n 2");
  EXPECT_EQ(ReadSettingsLines(dir / "cfg"), (std::vector<std::string>{"", " 1 ", " 2"}));
  WriteBytes(dir / "cfg", "");
  EXPECT_EQ(ReadSettingsLines(dir / "cfg"), std::vector<std::string>{});
  EXPECT_FALSE(ReadSettingsLines(dir / "missing").has_value());
  EXPECT_FALSE(ReadSettingsLines(dir.Path()).has_value());
}

// A file's bytes (nullptr: no file) and what start-up restores from it.
struct ReadCase {
  const char* bytes;
  std::optional<std::string> folder;
  std::vector<std::int16_t> listIndexes;
};

TEST(ReadSettingsFile, ReadsInStartUpOrderUntilTheFileStopsMakingSense) {
  const ReadCase cases[] = {
      {nullptr, std::nullopt, {}},
      {"", std::nullopt, {}},
      {"\x81\r\n 1 \r\n", std::nullopt, {}},  // the folder not code page 932
      {"\r\n 0 \r\n 0 \r\n 0 \r\n", "", {0, 0, 0}},
      {"C:\\HL\r\n 3 \r\n 4 \r\n 2 \r\n", "C:\\HL", {3, 4, 2}},
      {"\x83\x51\r\n1\n2\n-1\nextra\n", "ゲ", {1, 2, -1}},
      {"C:\\HL", "C:\\HL", {}},
      {"C:\\HL\r\n 1 \r\n 2 \r\n", "C:\\HL", {1, 2}},
      {"C:\\HL\r\n 4 \r\n 2 \r\n 1 \r\n", "C:\\HL", {}},      // no such difficulty
      {"C:\\HL\r\n 1 \r\n 5 \r\n 1 \r\n", "C:\\HL", {1}},     // no such heap size
      {"C:\\HL\r\n 1 \r\n 2 \r\n 3 \r\n", "C:\\HL", {1, 2}},  // no such console row
      {"C:\\HL\r\n-2 \r\n 2 \r\n 1 \r\n", "C:\\HL", {}},
      {"C:\\HL\r\n 1 \r\n 99999 \r\n 1 \r\n", "C:\\HL", {1}},  // past 16 bits
      {"C:\\HL\r\n 1 \r\n\x81\r\n 1 \r\n", "C:\\HL", {1}},
      {"C:\\HL\r\nabc\r\n 2.5 \r\n1e0\r\n", "C:\\HL", {0, 2, 1}},
  };
  TempDir dir;
  for (const ReadCase& c : cases) {
    SCOPED_TRACE(c.bytes != nullptr ? ::testing::PrintToString(std::string(c.bytes)) : "no file");
    std::filesystem::remove(std::filesystem::u8path(dir / "cfg"));
    if (c.bytes != nullptr) WriteBytes(dir / "cfg", c.bytes);
    const SettingsRead read = ReadSettingsFile(dir / "cfg");
    EXPECT_EQ(read.gameFolder, c.folder);
    EXPECT_EQ(read.listIndexes, c.listIndexes);
  }
}

TEST(WriteSettingsFile, WritesFourLinesInCodePage932) {
  TempDir dir;
  SettingsValues v;
  v.gameFolder = "D:\\ゲーム\\Half-Life";
  v.difficulty = 2;
  v.heapSize = -1;
  v.console = 0;
  ASSERT_TRUE(WriteSettingsFile(dir / "cfg", v));
  EXPECT_EQ(ReadBytes(dir / "cfg"),
            "D:\\\x83\x51\x81\x5B\x83\x80\\Half-Life\r\n 2 \r\n-1 \r\n 0 \r\n");
}

TEST(WriteSettingsFile, RefusesAFolderTheFileCannotCarryAndKeepsTheOldFile) {
  TempDir dir;
  WriteBytes(dir / "cfg", "old");
  SettingsValues v;
  for (const char* folder : {"/home/jos\xC3\xA9/hl", "/a\nb", "/a\rb"}) {
    v.gameFolder = folder;
    EXPECT_FALSE(WriteSettingsFile(dir / "cfg", v));
    EXPECT_EQ(ReadBytes(dir / "cfg"), "old");
  }
}

TEST(WriteSettingsFile, AFailureAtAnyStageKeepsThePreviousFile) {
  TempDir dir;
  const std::string previous = "/old/folder\r\n 1 \r\n 2 \r\n 1 \r\n";
  SettingsValues v;
  v.gameFolder = "/new/folder";
  const testing::FaultStages run = testing::FailEachStage(
      [&] { WriteBytes(dir / "cfg", previous); }, [&] { return WriteSettingsFile(dir / "cfg", v); },
      [&] {
        return ReadBytes(dir / "cfg") == previous &&
               testing::FolderEntries(dir.Path()).size() == 1u;
      });
  for (const std::string& failure : run.failures) ADD_FAILURE() << failure;
  EXPECT_GE(run.stages, 5);  // open, write, flush, close, replace
  EXPECT_TRUE(WriteSettingsFile(dir / "cfg", v));
  EXPECT_EQ(ReadBytes(dir / "cfg"), "/new/folder\r\n 0 \r\n 0 \r\n 0 \r\n");
}

TEST(WriteSettingsFile, RemovesTheLeftoversOfThisFileOnly) {
  TempDir dir;
  const std::string path = dir / std::string(kSettingsFileName);
  WriteBytes(path, "/old\r\n 1 \r\n 2 \r\n 1 \r\n");
  const auto mine = testing::LeaveDebris(dir.Path(), kSettingsFileName);
  const auto other = testing::LeaveDebris(dir.Path(), "tarqcom.dat");
  EXPECT_TRUE(WriteSettingsFile(path, SettingsValues{}));
  EXPECT_EQ(ReadBytes(path), "\r\n 0 \r\n 0 \r\n 0 \r\n");
  EXPECT_EQ(testing::SortedEntries(dir.Path()),
            testing::WithoutLeftovers({std::string(kSettingsFileName)}, mine, other));
}

#ifndef _WIN32
TEST(WriteSettingsFile, AFileSizeLimitKeepsThePreviousFile) {
  TempDir dir;
  const std::string previous = "/old\r\n 1 \r\n 2 \r\n 1 \r\n";
  WriteBytes(dir / "cfg", previous);
  SettingsValues v;
  v.gameFolder = std::string(100, 'x');  // more than the child may write
  const pid_t child = ::fork();
  if (child == 0) {
    ::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{64, 64};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    ::_exit(WriteSettingsFile(dir / "cfg", v) ? 1 : 0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(ReadBytes(dir / "cfg"), previous);
  EXPECT_EQ(testing::FolderEntries(dir.Path()).size(), 1u);
}
#endif

}  // namespace
}  // namespace tarq::core
