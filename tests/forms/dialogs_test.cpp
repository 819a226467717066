#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "forms/frm_main.h"
#include "forms/messages.h"
#include "platform/file_lock.h"
#include "platform/fs.h"
#include "platform/process.h"
#include "support/recording_host.h"
#include "support/temp_dir.h"
#ifndef _WIN32
#include "support/env_guard.h"
#endif

namespace tarq::forms {
namespace {

using testing::Exists;
using testing::MakeFolders;
using testing::ReadBytes;
using testing::RecordingHost;
using testing::TempDir;
using testing::WriteBytes;

class DialogTest : public ::testing::Test {
 protected:
  DialogTest() : saved_(platform::CurrentFolder()) {
    MakeFolders(maps_);
    for (const char* m : {"a.bsp", "b.bsp", "c.bsp"}) WriteBytes(platform::JoinPath(maps_, m), "");
    WriteBytes(dir_ / "tarqcfg.dat", game_ + "\r\n");
    form_ = std::make_unique<FrmMain>(host_, dir_.Path());
    form_->Form_Load();
  }
  ~DialogTest() override { platform::ChangeFolder(saved_); }

  std::string Com() const { return dir_ / "tarqcom.dat"; }
  DlgComment& OpenComment(int row) {
    form_->cmbMapComment.SetListIndex(row);
    form_->cmdComment_Click();
    EXPECT_NE(form_->dlgComment(), nullptr);
    return *form_->dlgComment();
  }

  TempDir dir_;
  std::string game_ = dir_ / "game";
  std::string maps_ = platform::JoinPath(game_, "valve/maps");
  std::string saved_;
  RecordingHost host_;
  std::unique_ptr<FrmMain> form_;
};

// --- the comment dialog ---------------------------------------------------

TEST_F(DialogTest, CommentOpensForTheSelectedMapAndDisablesTheMainWindow) {
  DlgComment& d = OpenComment(2);
  EXPECT_EQ(d.labFile.Caption(), "b.bsp");
  EXPECT_FALSE(form_->Enabled());
  EXPECT_EQ(host_.events, std::vector<std::string>{"show comment"});
  form_->cmdComment_Click();  // no second dialog while one is up
  form_->cmdFldSelect_Click();
  EXPECT_EQ(host_.events.size(), 1u);
}

TEST_F(DialogTest, AMapWithoutARecordOpensBlank) {
  DlgComment& d = OpenComment(1);
  EXPECT_EQ(d.cmbMark.ListIndex(), 0);
  EXPECT_EQ(d.cmbMark.Text(), "　");
  EXPECT_EQ(d.txtComment.Text(), "");
  EXPECT_TRUE(host_.messages.empty());
}

TEST_F(DialogTest, TheTenMarksInOrder) {
  DlgComment& d = OpenComment(1);
  std::vector<std::string> marks;
  for (int i = 0; i < d.cmbMark.ListCount(); ++i) marks.push_back(d.cmbMark.List(i));
  EXPECT_EQ(marks,
            (std::vector<std::string>{"　", "◎", "○", "△", "×", "！", "？", "☆", "＊", "λ"}));
}

struct FillCase {
  const char* name;
  std::string file;
  int mark;
  std::string comment;
  bool message;
  friend void PrintTo(const FillCase& c, std::ostream* os) { *os << c.name; }
};

class Fill : public DialogTest, public ::testing::WithParamInterface<FillCase> {};

TEST_P(Fill, ShowsWhatFindCommentReturns) {
  WriteBytes(Com(), GetParam().file);
  DlgComment& d = OpenComment(2);
  EXPECT_EQ(d.cmbMark.ListIndex(), GetParam().mark);
  EXPECT_EQ(d.txtComment.Text(), GetParam().comment);
  EXPECT_EQ(host_.messages, GetParam().message ? std::vector<std::string>{"不明なエラー"}
                                               : std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(
    Records, Fill,
    ::testing::Values(FillCase{"stored", "\"b.bsp\",\"\x81\x99\",\"star\"\r\n", 7, "star", false},
                      FillCase{
                          "the_last_of_two",
                          "\"b.bsp\",\"\x81\x9D\",\"one\"\r\n\"b.bsp\",\"\x83\xC9\",\"two\"\r\n", 9,
                          "two", false},
                      FillCase{"unknown_mark", "\"b.bsp\",\"X\",\"kept out\"\r\n", 0, "", true},
                      FillCase{"broken_file", "\"b.bsp\",\"\x81\x9D\"\r\n", 0, "", true}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(DialogTest, EnterAtOnceStoresTheBlankRecordAndEnablesTheMainWindow) {
  DlgComment& d = OpenComment(1);
  d.cmdOK_Click();
  EXPECT_EQ(ReadBytes(Com()), "\"a.bsp\",\"\x81\x40\",\"\"\r\n");
  EXPECT_TRUE(form_->Enabled());
  EXPECT_EQ(form_->dlgComment(), nullptr);
  EXPECT_EQ(host_.events, (std::vector<std::string>{"show comment", "close"}));
}

TEST_F(DialogTest, OKSavesTheMarkAndTheCommentAsTyped) {
  DlgComment& d = OpenComment(3);
  d.cmbMark.SetListIndex(1);
  d.txtComment.SetText(" boss, hard ");
  d.cmdOK_Click();
  EXPECT_EQ(ReadBytes(Com()), "\"c.bsp\",\"\x81\x9D\",\" boss, hard \"\r\n");
  // The list shows it once it next receives the focus.
  EXPECT_EQ(form_->cmbMapComment.List(3), "c.bsp           ");
  form_->cmbMapComment_GotFocus();
  EXPECT_EQ(form_->cmbMapComment.List(3), "c.bsp           ◎　 boss, hard ");
}

TEST_F(DialogTest, EraseRemovesTheRecordWithoutAsking) {
  WriteBytes(Com(), "\"b.bsp\",\"\x81\x9D\",\"one\"\r\n\"a.bsp\",\"\x81\x9D\",\"x\"\r\n");
  OpenComment(2).cmdDelete_Click();
  EXPECT_EQ(ReadBytes(Com()), "\"a.bsp\",\"\x81\x9D\",\"x\"\r\n");
  EXPECT_TRUE(host_.messages.empty());
  EXPECT_TRUE(form_->Enabled());
}

TEST_F(DialogTest, EraseWithoutARecordOrWithoutAFileChangesNothing) {
  OpenComment(1).cmdDelete_Click();
  EXPECT_FALSE(Exists(Com()));
  WriteBytes(Com(), "\"b.bsp\",\"\x81\x9D\",\"one\"\r\n");
  OpenComment(1).cmdDelete_Click();
  EXPECT_EQ(ReadBytes(Com()), "\"b.bsp\",\"\x81\x9D\",\"one\"\r\n");
  EXPECT_TRUE(form_->Enabled());
}

TEST_F(DialogTest, AStoreThatCannotBeWrittenKeepsTheDialogOpen) {
  MakeFolders(Com());  // a folder where the file should be
  DlgComment& d = OpenComment(1);
  host_.messages.clear();
  d.cmdOK_Click();
  d.cmdDelete_Click();
  EXPECT_EQ(host_.messages,
            (std::vector<std::string>{"データを保存できません。", "データを保存できません。"}));
  EXPECT_NE(form_->dlgComment(), nullptr);
  EXPECT_FALSE(form_->Enabled());
  d.cmdCansel_Click();
  EXPECT_EQ(form_->dlgComment(), nullptr);
  EXPECT_TRUE(form_->Enabled());
}

TEST_F(DialogTest, ALockHeldByAnotherLauncherIsReportedAsBusy) {
  DlgComment& d = OpenComment(1);
  host_.messages.clear();
  {
    const platform::FileLock other(Com());
    d.cmdOK_Click();
  }
  EXPECT_EQ(host_.messages, std::vector<std::string>{std::string(kMsgDataBusy)});
  EXPECT_FALSE(Exists(Com()));
  d.cmdOK_Click();  // let go: the save goes through
  EXPECT_EQ(form_->dlgComment(), nullptr);
  EXPECT_TRUE(Exists(Com()));
}

TEST_F(DialogTest, TheCloseBoxWritesNothingAndEnablesTheMainWindow) {
  DlgComment& d = OpenComment(1);
  d.txtComment.SetText("typed but not saved");
  d.Unload();  // the window's close box
  EXPECT_FALSE(Exists(Com()));
  EXPECT_TRUE(form_->Enabled());
  EXPECT_EQ(form_->dlgComment(), nullptr);
}

TEST_F(DialogTest, EveryOpeningStartsFromTheInitialContent) {
  DlgComment& first = OpenComment(1);
  first.cmbMark.SetListIndex(4);
  first.cmdCansel_Click();
  DlgComment& second = OpenComment(1);
  EXPECT_EQ(second.cmbMark.ListIndex(), 0);
}

#ifndef _WIN32  // POSIX folders and drives; Windows has its own test
using testing::EnvGuard;

// --- the game folder dialog -----------------------------------------------

class FolderDialogTest : public DialogTest {
 protected:
  FolderDialogTest() {
    form_->ListDrives = [this] { return drives_; };
  }
  DlgFldSelect& Open(const std::string& current) {
    platform::ChangeFolder(current);
    form_->cmdFldSelect_Click();
    EXPECT_NE(form_->dlgFldSelect(), nullptr);
    return *form_->dlgFldSelect();
  }
  int Row(const DlgFldSelect& d, const std::string& path) {
    const auto& e = d.dirHL.Entries();
    for (std::size_t i = 0; i < e.size(); ++i) {
      if (e[i].path == path) return static_cast<int>(i);
    }
    return -1;
  }

  std::vector<platform::Drive> drives_{{"/", "/"}, {dir_ / "empty-drive", "empty"}};
};

TEST_F(FolderDialogTest, OpensOnTheCurrentFolderAndDisablesTheMainWindow) {
  MakeFolders(dir_ / "pick/sub two");
  DlgFldSelect& d = Open(dir_ / "pick");
  EXPECT_EQ(d.dirHL.Path(), dir_ / "pick");
  EXPECT_EQ(d.dirHL.Entries().front().path, "/");
  EXPECT_EQ(d.dirHL.Entries().back().path, dir_ / "pick/sub two");
  EXPECT_EQ(d.drvHL.ListIndex(), 0);
  EXPECT_FALSE(form_->Enabled());
}

#ifndef _WIN32  // where a backslash is no separator
TEST_F(FolderDialogTest, TheFolderListShowsABackslashAsPartOfAName) {
  MakeFolders(dir_ / "a\\b/sub");
  DlgFldSelect& d = Open(dir_ / "a\\b");
  const int row = Row(d, dir_ / "a\\b");
  ASSERT_GE(row, 0);
  EXPECT_EQ(d.dirHL.Entries()[static_cast<std::size_t>(row)].name, "a\\b");
}
#endif

TEST_F(FolderDialogTest, AFolderWithoutHlExeIsRefused) {
  DlgFldSelect& d = Open(maps_);
  d.cmdOK_Click();
  EXPECT_EQ(host_.messages,
            (std::vector<std::string>{
                "このフォルダにはhl.exeがありません。\r\nフォルダを再選択して下さい。"}));
  EXPECT_NE(form_->dlgFldSelect(), nullptr);
  EXPECT_FALSE(form_->Enabled());
  EXPECT_EQ(form_->labHL.Caption(), game_);
}

TEST_F(FolderDialogTest, AFolderWithHlExeBecomesTheGameFolderWithItsMaps) {
  const std::string other = dir_ / "other";
  MakeFolders(platform::JoinPath(other, "valve/maps"));
  WriteBytes(platform::JoinPath(other, "hl.exe"), "");
  WriteBytes(platform::JoinPath(other, "valve/maps/z.bsp"), "");
  DlgFldSelect& d = Open(other);
  d.cmdOK_Click();
  EXPECT_TRUE(host_.messages.empty());
  EXPECT_EQ(form_->labHL.Caption(), other);
  EXPECT_EQ(form_->labMaps.Caption(), other + "/valve/maps");
  EXPECT_EQ(form_->cmbMap.ListCount(), 2);
  EXPECT_EQ(form_->cmbMap.List(1), "z.bsp");
  EXPECT_TRUE(form_->Enabled());
  EXPECT_EQ(form_->dlgFldSelect(), nullptr);
}

TEST_F(FolderDialogTest, OKTestsTheCurrentFolderNotTheHighlightedOne) {
  const std::string withGame = dir_ / "parent/with game";
  MakeFolders(withGame);
  WriteBytes(platform::JoinPath(withGame, "hl.exe"), "");
  DlgFldSelect& d = Open(dir_ / "parent");
  d.dirHL.SetListIndex(Row(d, withGame));  // a single click
  d.cmdOK_Click();
  EXPECT_EQ(host_.messages.size(), 1u);
  ASSERT_TRUE(d.dirHL.Open(Row(d, withGame)));  // a double click
  d.cmdOK_Click();
  EXPECT_EQ(form_->labHL.Caption(), withGame);
}

TEST_F(FolderDialogTest, TheRootJoinsHlExeWithTwoSeparators) {
  DlgFldSelect& d = Open("/");
  EXPECT_EQ(d.dirHL.Path(), "/");
  d.cmdOK_Click();  // "//hl.exe" is tested; there is none at this root
  EXPECT_EQ(host_.messages.size(), 1u);
  EXPECT_EQ(form_->labHL.Caption(), game_);
}

TEST_F(FolderDialogTest, AnUnreadableDriveLeavesTheFolderListWhereItWas) {
  DlgFldSelect& d = Open(maps_);
  d.drvHL.SetListIndex(1);  // the user picks a drive that is not there
  EXPECT_EQ(
      host_.messages,
      (std::vector<std::string>{"デバイスが使用できません。\r\nフォルダを再選択して下さい。"}));
  EXPECT_EQ(d.drvHL.ListIndex(), 1);
  EXPECT_EQ(d.dirHL.Path(), maps_);
}

TEST_F(FolderDialogTest, AReadableDriveOpensItsFolder) {
  MakeFolders(drives_[1].root);
  drives_[1].label = "ready";
  DlgFldSelect& d = Open(maps_);
  d.drvHL.SetListIndex(1);
  EXPECT_TRUE(host_.messages.empty());
  EXPECT_EQ(d.dirHL.Path(), drives_[1].root);
}

// A folder that holds hl.exe but whose name the settings file cannot carry
// (a line break, a character code page 932 lacks) is refused for its name;
// one without hl.exe is refused for that first, whatever its name.
TEST_F(FolderDialogTest, AFolderNameTheSettingsFileCannotCarryIsRefusedForItsName) {
  const std::string kNameNotStorable =
      "このフォルダ名は保存できません。\r\nフォルダを再選択して下さい。";
  const std::string kNoGame =
      "このフォルダにはhl.exeがありません。\r\nフォルダを再選択して下さい。";
  const struct {
    const char* name;
    bool withGame;
    const std::string& message;
  } cases[] = {
      {"line\nbreak", true, kNameNotStorable},
      {"jos\xC3\xA9", true, kNameNotStorable},
      {"caf\xC3\xA9 empty", false, kNoGame},
  };
  for (const auto& c : cases) {
    const std::string odd = dir_ / c.name;
    MakeFolders(odd);
    if (c.withGame) WriteBytes(platform::JoinPath(odd, "hl.exe"), "");
    host_.messages.clear();
    DlgFldSelect& d = Open(odd);
    d.cmdOK_Click();
    EXPECT_EQ(host_.messages, std::vector<std::string>{c.message}) << c.name;
    EXPECT_EQ(form_->dlgFldSelect(), &d) << c.name;  // the dialog stays open
    EXPECT_FALSE(form_->Enabled()) << c.name;
    EXPECT_EQ(form_->labHL.Caption(), game_) << c.name;
    d.cmdCancel_Click();
  }
}

TEST_F(FolderDialogTest, CancelAndTheCloseBoxLeaveTheGameFolder) {
  Open(game_).cmdCancel_Click();
  EXPECT_TRUE(form_->Enabled());
  Open(game_).Unload();
  EXPECT_TRUE(form_->Enabled());
  EXPECT_EQ(form_->labHL.Caption(), game_);
  EXPECT_EQ(host_.events,
            (std::vector<std::string>{"show folder", "close", "show folder", "close"}));
}

TEST_F(FolderDialogTest, AfterAGameStartItOpensOnTheGameFolder) {
  testing::MakeExecutable(platform::JoinPath(game_, "hl.exe"),
                          "#!/bin/sh\necho ran > \"$0.tmp\"; mv \"$0.tmp\" \"$0.record\"\n");
  platform::ChangeFolder(dir_.Path());
  form_->cmdStart_Click();
  ASSERT_TRUE(testing::WaitForFile(platform::JoinPath(game_, "hl.exe.record")));
  form_->cmdFldSelect_Click();
  EXPECT_EQ(form_->dlgFldSelect()->dirHL.Path(), game_);
}

// --- the game folder dialog in a Linux home with Wine ----------------------

// A home folder made for the test, holding a game in Wine's default prefix;
// the drive list is the system's own, WINEPREFIX unset.
class WineHomeTest : public FolderDialogTest {
 protected:
  WineHomeTest() {
    form_->ListDrives = platform::ListDrives;
    MakeFolders(platform::JoinPath(halfLife_, "valve/maps"));
    MakeFolders(home_ + "/Games");
    WriteBytes(platform::JoinPath(halfLife_, "hl.exe"), "");
    for (const char* m : {"c1a0.bsp", ".hidden.bsp"}) {
      WriteBytes(platform::JoinPath(halfLife_, std::string("valve/maps/") + m), "");
    }
  }
  static std::vector<std::string> DriveLabels(const DlgFldSelect& d) {
    std::vector<std::string> labels;
    for (int i = 0; i < d.drvHL.ListCount(); ++i) labels.push_back(d.drvHL.List(i));
    return labels;
  }
  static int DriveRow(const DlgFldSelect& d, const std::string& label) {
    const auto labels = DriveLabels(d);
    const auto at = std::find(labels.begin(), labels.end(), label);
    return at == labels.end() ? -1 : static_cast<int>(at - labels.begin());
  }

  std::string real_ = std::filesystem::canonical(dir_.Path()).string();
  std::string home_ = real_ + "/home";
  std::string driveC_ = home_ + "/.wine/drive_c";
  std::string halfLife_ = driveC_ + "/Sierra/Half-Life";
  EnvGuard homeGuard_{"HOME", home_};
  EnvGuard prefixGuard_{"WINEPREFIX", std::nullopt};
};

TEST_F(WineHomeTest, TheHomeFolderShowsDotFoldersAndTheDriveListOffersHomeAndWine) {
  DlgFldSelect& d = Open(home_);
  const int wine = Row(d, home_ + "/.wine");
  ASSERT_GE(wine, 0);
  EXPECT_EQ(d.dirHL.Entries()[static_cast<std::size_t>(wine)].name, ".wine");
  EXPECT_LT(wine, Row(d, home_ + "/Games"));  // in name order
  const auto labels = DriveLabels(d);
  ASSERT_GE(labels.size(), 3u);
  EXPECT_EQ((std::vector<std::string>(labels.begin(), labels.begin() + 3)),
            (std::vector<std::string>{"/", home_, "Wine C:"}));
  EXPECT_EQ(d.drvHL.Text(), home_);  // the place that holds the current folder
}

TEST_F(WineHomeTest, ChoosingWineCAndOpeningDownToHalfLifeLetsOKAcceptIt) {
  DlgFldSelect& d = Open(home_);
  d.drvHL.SetListIndex(DriveRow(d, "Wine C:"));
  EXPECT_EQ(d.dirHL.Path(), driveC_);
  ASSERT_TRUE(d.dirHL.Open(Row(d, driveC_ + "/Sierra")));
  ASSERT_TRUE(d.dirHL.Open(Row(d, halfLife_)));
  d.cmdOK_Click();
  EXPECT_TRUE(host_.messages.empty());
  EXPECT_EQ(form_->labHL.Caption(), halfLife_);
  EXPECT_EQ(form_->labMaps.Caption(), halfLife_ + "/valve/maps");
  // The map list still leaves out hidden files.
  EXPECT_EQ(form_->cmbMap.ListCount(), 2);
  EXPECT_EQ(form_->cmbMap.List(1), "c1a0.bsp");
  EXPECT_EQ(form_->dlgFldSelect(), nullptr);
  EXPECT_TRUE(form_->Enabled());
}

TEST_F(WineHomeTest, WithWinePrefixSetBothCDrivesAreOfferedApart) {
  const std::string prefixC = real_ + "/hl-prefix/drive_c";
  MakeFolders(prefixC + "/Games");
  const EnvGuard prefix("WINEPREFIX", real_ + "/hl-prefix");
  DlgFldSelect& d = Open(home_);
  const auto labels = DriveLabels(d);
  ASSERT_GE(labels.size(), 4u);
  EXPECT_EQ((std::vector<std::string>(labels.begin() + 2, labels.begin() + 4)),
            (std::vector<std::string>{"Wine C: (" + real_ + "/hl-prefix)", "Wine C: (~/.wine)"}));
  d.drvHL.SetListIndex(2);
  EXPECT_EQ(d.dirHL.Path(), prefixC);
  d.drvHL.SetListIndex(3);
  EXPECT_EQ(d.dirHL.Path(), driveC_);
  EXPECT_TRUE(host_.messages.empty());
}

TEST_F(WineHomeTest, OpenedInsideAWineDriveTheDriveListShowsThatDrive) {
  EXPECT_EQ(Open(halfLife_).drvHL.Text(), "Wine C:");
}

TEST_F(WineHomeTest, TheDriveListFollowsTheFolderListSoAPickAlwaysMoves) {
  DlgFldSelect& d = Open(home_ + "/Games");
  ASSERT_TRUE(d.dirHL.Open(Row(d, "/")));
  EXPECT_EQ(d.drvHL.ListIndex(), 0);
  d.drvHL.SetListIndex(DriveRow(d, home_));  // back home, though home was shown at opening
  EXPECT_EQ(d.dirHL.Path(), home_);
  ASSERT_TRUE(d.dirHL.Open(Row(d, home_ + "/.wine")));
  ASSERT_TRUE(d.dirHL.Open(Row(d, driveC_)));
  EXPECT_EQ(d.drvHL.Text(), "Wine C:");
  EXPECT_TRUE(host_.messages.empty());
}

TEST_F(WineHomeTest, APlaceRemovedAfterTheDialogOpenedGivesTheDeviceMessage) {
  DlgFldSelect& d = Open(home_);
  const auto entries = d.dirHL.Entries().size();
  std::filesystem::remove_all(home_ + "/.wine");
  d.drvHL.SetListIndex(DriveRow(d, "Wine C:"));
  EXPECT_EQ(
      host_.messages,
      (std::vector<std::string>{"デバイスが使用できません。\r\nフォルダを再選択して下さい。"}));
  EXPECT_EQ(d.drvHL.Text(), "Wine C:");
  EXPECT_EQ(d.dirHL.Path(), home_);
  EXPECT_EQ(d.dirHL.Entries().size(), entries);
  EXPECT_NE(form_->dlgFldSelect(), nullptr);
}
#endif  // _WIN32

}  // namespace
}  // namespace tarq::forms
