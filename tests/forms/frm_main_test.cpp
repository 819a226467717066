#include <gtest/gtest.h>

#include "forms/frm_main.h"
#include "forms/messages.h"
#include "platform/fs.h"
#include "platform/process.h"
#include "support/recording_host.h"
#include "support/temp_dir.h"

namespace tarq::forms {
namespace {

using testing::Exists;
using testing::ReadBytes;
using testing::RecordingHost;
using testing::TempDir;
using testing::WriteBytes;

class FrmMainTest : public ::testing::Test {
 protected:
  std::string Cfg() const { return dir_ / "tarqcfg.dat"; }
  std::unique_ptr<FrmMain> Load() {
    auto form = std::make_unique<FrmMain>(host_, dir_.Path());
    form->Form_Load();
    return form;
  }

  TempDir dir_;
  RecordingHost host_;
};

struct Indexes {
  int diff, memory, console;
  friend bool operator==(const Indexes&, const Indexes&) = default;
};
Indexes IndexesOf(const FrmMain& f) {
  return {f.cmbDiff.ListIndex(), f.cmbMemory.ListIndex(), f.cmbConsole.ListIndex()};
}

TEST_F(FrmMainTest, CreatedWithTheOptionRowsAndRowZeroOfTheMapLists) {
  FrmMain form(host_, dir_.Path());
  ASSERT_EQ(form.cmbDiff.ListCount(), 4);
  EXPECT_EQ(form.cmbDiff.List(2), "Nomal");
  EXPECT_EQ(form.cmbDiff.ItemData(3), 3);
  ASSERT_EQ(form.cmbMemory.ListCount(), 5);
  EXPECT_EQ(form.cmbMemory.List(4), "128MB");
  EXPECT_EQ(form.cmbMemory.ItemData(1), 16000);
  ASSERT_EQ(form.cmbConsole.ListCount(), 3);
  EXPECT_EQ(form.cmbConsole.List(2), "-dev toconsole");
  EXPECT_EQ(form.cmbConsole.ItemData(2), 0);
  EXPECT_EQ(form.cmbMap.ListCount(), 1);
  EXPECT_EQ(form.cmbMap.List(0), "最初から");
  EXPECT_EQ(form.cmbMapComment.List(0), "最初から　　　　－　HALF-LIFEを最初から始めます");
  EXPECT_EQ(form.cmbMapComment.ListIndex(), -1);
}

TEST_F(FrmMainTest, FirstRunLeavesRowZeroAndWritesTheDefaults) {
  auto form = Load();
  EXPECT_EQ(form->sStartPath, dir_.Path());
  EXPECT_EQ(IndexesOf(*form), (Indexes{0, 0, 0}));
  EXPECT_EQ(form->labHL.Caption(), "");
  EXPECT_EQ(form->labMaps.Caption(), "");
  EXPECT_EQ(form->cmbMapComment.ListCount(), 1);
  EXPECT_EQ(form->cmbMapComment.ListIndex(), -1);
  EXPECT_EQ(form->labCommand.Caption(), "");
  form->Form_Unload();
  EXPECT_EQ(ReadBytes(Cfg()), "\r\n 0 \r\n 0 \r\n 0 \r\n");
  EXPECT_TRUE(host_.messages.empty());
}

struct LoadCase {
  const char* name;
  std::string file;
  std::string folder;
  Indexes indexes;
  std::string command;
  friend void PrintTo(const LoadCase& c, std::ostream* os) { *os << c.name; }
};

class FormLoad : public FrmMainTest, public ::testing::WithParamInterface<LoadCase> {};

TEST_P(FormLoad, RestoresWhatItCanAndStopsQuietly) {
  WriteBytes(Cfg(), GetParam().file);
  auto form = Load();
  EXPECT_EQ(form->labHL.Caption(), GetParam().folder);
  EXPECT_EQ(IndexesOf(*form), GetParam().indexes);
  EXPECT_EQ(form->labCommand.Caption(), GetParam().command);
  EXPECT_TRUE(host_.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Files, FormLoad,
    ::testing::Values(
        LoadCase{"full",
                 "/g\r\n 1 \r\n 2 \r\n 1 \r\n",
                 "/g",
                 {1, 2, 1},
                 " +skill \"1\" -heapsize 32000 -console"},
        LoadCase{"without_spaces", "/g\r\n2\r\n0\r\n0\r\n", "/g", {2, 0, 0}, " +skill \"2\""},
        LoadCase{"lf_only",
                 "/g\n 3 \n 4 \n 2 \n",
                 "/g",
                 {3, 4, 2},
                 " +skill \"3\" -heapsize 128000 -dev toconsole"},
        LoadCase{"cr_only", "/g\r 1 \r 0 \r 0 \r", "/g", {1, 0, 0}, " +skill \"1\""},
        LoadCase{"one_line", "/g\r\n", "/g", {0, 0, 0}, ""},
        LoadCase{"difficulty_7", "/g\r\n 7 \r\n 2 \r\n 1 \r\n", "/g", {0, 0, 0}, ""},
        LoadCase{
            "memory_out_of_range", "/g\r\n 1 \r\n 5 \r\n 1 \r\n", "/g", {1, 0, 0}, " +skill \"1\""},
        LoadCase{"minus_one_accepted",
                 "/g\r\n-1 \r\n 1 \r\n 0 \r\n",
                 "/g",
                 {-1, 1, 0},
                 " -heapsize 16000"},
        LoadCase{"too_big_for_16_bits", "/g\r\n 99999 \r\n 1 \r\n 1 \r\n", "/g", {0, 0, 0}, ""},
        LoadCase{"three_lines",
                 "/g\r\n 1 \r\n 1 \r\n",
                 "/g",
                 {1, 1, 0},
                 " +skill \"1\" -heapsize 16000"},
        LoadCase{"empty_file", "", "", {0, 0, 0}, ""},
        LoadCase{
            "folder_not_code_page_932", "/g\x85\x40\r\n 1 \r\n 1 \r\n 1 \r\n", "", {0, 0, 0}, ""},
        LoadCase{"japanese_folder",
                 "/\x83\x51\x81\x5B\x83\x80 x\r\n 0 \r\n 0 \r\n 0 \r\n",
                 "/ゲーム x",
                 {0, 0, 0},
                 ""}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(FrmMainTest, UnloadWritesTheFourLinesEveryTime) {
  WriteBytes(Cfg(), "/g\r\n 7 \r\n");
  auto form = Load();
  form->Form_Unload();
  EXPECT_EQ(ReadBytes(Cfg()), "/g\r\n 0 \r\n 0 \r\n 0 \r\n");
  form->cmbDiff.SetListIndex(3);
  form->cmbConsole.SetListIndex(-1);
  form->Form_Unload();
  EXPECT_EQ(ReadBytes(Cfg()), "/g\r\n 3 \r\n 0 \r\n-1 \r\n");
}

TEST_F(FrmMainTest, AProgramFolderEndingInASeparatorIsJoinedUnchanged) {
  // As at a drive root: the file name then follows two separators.
  const std::string root = dir_.Path() + platform::kSeparator;
  WriteBytes(Cfg(), "/g\r\n 1 \r\n 0 \r\n 0 \r\n");
  FrmMain form(host_, root);
  form.Form_Load();
  EXPECT_EQ(form.SettingsPath(), root + platform::kSeparator + "tarqcfg.dat");
  EXPECT_EQ(form.cmbDiff.ListIndex(), 1);
  form.Form_Unload();
  EXPECT_EQ(ReadBytes(Cfg()), "/g\r\n 1 \r\n 0 \r\n 0 \r\n");
}

TEST_F(FrmMainTest, EveryPickRecomposesTheCommandLine) {
  auto form = Load();
  form->cmbDiff.SetListIndex(3);
  EXPECT_EQ(form->labCommand.Caption(), " +skill \"3\"");
  form->cmbMemory.SetListIndex(4);
  EXPECT_EQ(form->labCommand.Caption(), " +skill \"3\" -heapsize 128000");
  form->cmbConsole.SetListIndex(2);
  EXPECT_EQ(form->labCommand.Caption(), " +skill \"3\" -heapsize 128000 -dev toconsole");
  form->cmbDiff.SetListIndex(0);
  EXPECT_EQ(form->labCommand.Caption(), " -heapsize 128000 -dev toconsole");
  form->cmbMemory.SetListIndex(-1);
  form->cmbConsole.SetListIndex(0);
  EXPECT_EQ(form->labCommand.Caption(), "");
  EXPECT_FALSE(form->cmbDiff.SetListIndex(4));  // no such row
  EXPECT_EQ(form->cmbDiff.ListIndex(), 0);
}

TEST_F(FrmMainTest, ListIndexAssignmentsRaiseClickEvenForTheSameRow) {
  FrmMain form(host_, dir_.Path());
  int clicks = 0;
  form.cmbDiff.Click = [&clicks] { ++clicks; };
  form.cmbDiff.SetListIndex(1);
  form.cmbDiff.SetListIndex(1);
  EXPECT_EQ(clicks, 2);
}

TEST_F(FrmMainTest, CommentOnRowZeroOrNoSelectionShowsTheGuard) {
  auto form = Load();
  form->cmdComment_Click();  // row 0
  form->cmbMap.SetListIndex(-1);
  form->cmdComment_Click();
  EXPECT_EQ(host_.messages, (std::vector<std::string>{"ここにコメントは付けられません",
                                                      "ここにコメントは付けられません"}));
  EXPECT_TRUE(form->Enabled());
}

TEST_F(FrmMainTest, StartWithoutAGameFolderShowsTheMessage) {
  const std::string saved = platform::CurrentFolder();
  auto form = Load();
  form->cmdStart_Click();
  WriteBytes(Cfg(), (dir_ / "nogame") + "\r\n");
  testing::MakeFolders(dir_ / "nogame");
  auto second = Load();
  second->cmdStart_Click();  // the folder has no hl.exe
  platform::ChangeFolder(saved);
  EXPECT_EQ(host_.messages, (std::vector<std::string>{std::string(kMsgCannotStartGame),
                                                      std::string(kMsgCannotStartGame)}));
  EXPECT_EQ(std::string(kMsgCannotStartGame), "ゲームが実行できません。\r\n設定し直して下さい。");
}

#ifndef _WIN32  // the stand-in game is a shell script
TEST_F(FrmMainTest, StartRunsTheGameWithTheComposedOptions) {
  const std::string saved = platform::CurrentFolder();
  const std::string game = dir_ / "Half Life";
  testing::MakeFolders(game);
  testing::MakeExecutable(platform::JoinPath(game, "hl.exe"),
                          "#!/bin/sh\nprintf '%s|' \"$(pwd -P)\" \"$@\" > \"$0.tmp\"; "
                          "mv \"$0.tmp\" \"$0.record\"\n");
  WriteBytes(Cfg(), game + "\r\n 1 \r\n 2 \r\n 1 \r\n");
  auto form = Load();
  form->cmdStart_Click();
  platform::ChangeFolder(saved);
  const std::string record = platform::JoinPath(game, "hl.exe.record");
  ASSERT_TRUE(testing::WaitForFile(record));
  EXPECT_EQ(ReadBytes(record), game + "|+skill|1|-heapsize|32000|-console|");
  EXPECT_TRUE(host_.messages.empty());
}
#endif

}  // namespace
}  // namespace tarq::forms
