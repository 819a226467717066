#include <gtest/gtest.h>

#include "catalogue/comment_store.h"
#include "forms/frm_main.h"
#include "platform/fs.h"
#include "support/recording_host.h"
#include "support/temp_dir.h"

namespace tarq::forms {
namespace {

using testing::MakeFolders;
using testing::RecordingHost;
using testing::TempDir;
using testing::WriteBytes;

const std::string kRow0 = "最初から　　　　－　HALF-LIFEを最初から始めます";

std::vector<std::string> Texts(const ComboList& list) {
  std::vector<std::string> texts;
  for (int i = 0; i < list.ListCount(); ++i) texts.push_back(list.List(i));
  return texts;
}

std::string Pad(std::string name) {
  name.resize(std::max<std::size_t>(name.size(), 16), ' ');
  return name;
}

class MapListTest : public ::testing::Test {
 protected:
  MapListTest() : game_(dir_ / "game"), maps_(platform::JoinPath(game_, "valve/maps")) {
    MakeFolders(maps_);
  }
  void AddMaps(std::initializer_list<const char*> names) {
    for (const char* n : names) WriteBytes(platform::JoinPath(maps_, n), "");
  }
  std::unique_ptr<FrmMain> LoadWithGame(const std::string& folder) {
    WriteBytes(dir_ / "tarqcfg.dat", folder + "\r\n 0 \r\n 0 \r\n 0 \r\n");
    auto form = std::make_unique<FrmMain>(host_, dir_.Path());
    form->Form_Load();
    return form;
  }
  catalogue::CommentStore Store() const { return catalogue::CommentStore(dir_ / "tarqcom.dat"); }

  TempDir dir_;
  std::string game_;
  std::string maps_;
  RecordingHost host_;
};

TEST_F(MapListTest, SettingTheGameFolderFillsFoldersAndRows) {
  AddMaps({"a.bsp", "C.bsp", "b.bsp", "notes.txt"});
  auto form = LoadWithGame(game_);
  EXPECT_EQ(form->labValve.Caption(), platform::JoinPath(game_, "valve"));
  EXPECT_EQ(form->labMaps.Caption(),
            platform::JoinPath(platform::JoinPath(game_, "valve"), "maps"));
  EXPECT_EQ(Texts(form->cmbMap), (std::vector<std::string>{"最初から", "a.bsp", "b.bsp", "C.bsp"}));
  EXPECT_EQ(Texts(form->cmbMapComment),
            (std::vector<std::string>{kRow0, Pad("a.bsp"), Pad("b.bsp"), Pad("C.bsp")}));
  EXPECT_EQ(form->flbSelect.Path(), form->labMaps.Caption());
  EXPECT_EQ(form->flbSelect.Pattern(), "*.bsp");
  EXPECT_EQ(*form->flbSelect.Names(), (std::vector<std::string>{"a.bsp", "b.bsp", "C.bsp"}));
  EXPECT_EQ(form->cmbMap.ListIndex(), 0);
  EXPECT_EQ(form->cmbMapComment.ListIndex(), 0);
  EXPECT_TRUE(host_.messages.empty());
}

TEST_F(MapListTest, RowsCarryTheStoredMarksAndComments) {
  AddMaps({"a.bsp", "b.bsp"});
  ASSERT_EQ(Store().SaveComment("b.bsp", "◎", "boss"), catalogue::StoreStatus::kOk);
  ASSERT_EQ(Store().SaveComment("B.bsp", "×", "other case"), catalogue::StoreStatus::kOk);
  auto form = LoadWithGame(game_);
  EXPECT_EQ(form->cmbMapComment.List(2), Pad("b.bsp") + "◎　boss");
  EXPECT_EQ(form->cmbMapComment.List(1), Pad("a.bsp"));
}

TEST_F(MapListTest, PickingARowPutsItsMapIntoTheCommandLine) {
  AddMaps({"a.bsp", "b.bsp", "c1a0.bsp", "MAP.BSP"});
  auto form = LoadWithGame(game_);
  form->cmbMapComment.SetListIndex(3);
  EXPECT_EQ(form->cmbMap.ListIndex(), 3);
  EXPECT_EQ(form->labCommand.Caption(), " +map c1a0");
  form->cmbMapComment.SetListIndex(4);
  EXPECT_EQ(form->labCommand.Caption(), " +map MAP");
  form->cmbDiff.SetListIndex(1);
  EXPECT_EQ(form->labCommand.Caption(), " +map MAP +skill \"1\"");
}

TEST_F(MapListTest, ReceivingTheFocusRebuildsAndReturnsToRowZero) {
  AddMaps({"a.bsp", "b.bsp", "c.bsp"});
  auto form = LoadWithGame(game_);
  form->cmbMapComment.SetListIndex(2);
  ASSERT_EQ(Store().SaveComment("b.bsp", "☆", "saved meanwhile"), catalogue::StoreStatus::kOk);
  EXPECT_EQ(form->cmbMapComment.List(2), Pad("b.bsp"));  // not before the focus
  form->cmbMapComment_GotFocus();
  EXPECT_EQ(form->cmbMapComment.List(2), Pad("b.bsp") + "☆　saved meanwhile");
  EXPECT_EQ(form->cmbMapComment.ListIndex(), 0);
  EXPECT_EQ(form->cmbMap.ListIndex(), 0);
  EXPECT_EQ(form->labCommand.Caption(), "");
}

TEST_F(MapListTest, RowsOfAnEarlierLongerBuildAreRemoved) {
  AddMaps({"a.bsp", "b.bsp", "c.bsp"});
  auto form = LoadWithGame(game_);
  ASSERT_EQ(form->cmbMap.ListCount(), 4);
  std::remove(platform::JoinPath(maps_, "b.bsp").c_str());
  std::remove(platform::JoinPath(maps_, "c.bsp").c_str());
  form->cmbMapComment_GotFocus();
  EXPECT_EQ(Texts(form->cmbMap), (std::vector<std::string>{"最初から", "a.bsp"}));
  EXPECT_EQ(form->cmbMapComment.ListCount(), 2);
}

TEST_F(MapListTest, AFolderEndingInASeparatorIsJoinedUnchanged) {
  AddMaps({"a.bsp"});
  const std::string root = game_ + platform::kSeparator;
  auto form = LoadWithGame(root);
  EXPECT_EQ(form->labMaps.Caption(), platform::JoinPath(platform::JoinPath(root, "valve"), "maps"));
  EXPECT_EQ(form->cmbMap.ListCount(), 2);
}

TEST_F(MapListTest, AFolderThatCannotBeListedLeavesRowZeroQuietly) {
  auto form = LoadWithGame(dir_ / "no such game");
  EXPECT_EQ(form->labMaps.Caption(),
            platform::JoinPath(platform::JoinPath(dir_ / "no such game", "valve"), "maps"));
  EXPECT_EQ(form->cmbMap.ListCount(), 1);
  EXPECT_EQ(form->cmbMapComment.ListIndex(), 0);
  EXPECT_TRUE(host_.messages.empty());
}

TEST_F(MapListTest, AnUnreadableStoreShowsTheMapsWithoutComments) {
  AddMaps({"a.bsp"});
  WriteBytes(dir_ / "tarqcom.dat", "\"a.bsp\",\"x\"\r\n");
  auto form = LoadWithGame(game_);
  EXPECT_EQ(Texts(form->cmbMapComment), (std::vector<std::string>{kRow0, Pad("a.bsp")}));
  EXPECT_TRUE(host_.messages.empty());
}

#ifndef _WIN32  // 32772 files: too slow to make under Wine
TEST_F(MapListTest, MoreMapsThanAListIndexReachesShowTheFirstOnes) {
  for (int i = 0; i < ComboList::kMaxRows + 5; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "m%05d.bsp", i);
    WriteBytes(platform::JoinPath(maps_, name), "");
  }
  auto form = LoadWithGame(game_);
  ASSERT_EQ(form->cmbMap.ListCount(), ComboList::kMaxRows);
  EXPECT_EQ(form->cmbMap.List(ComboList::kMaxRows - 1), "m32766.bsp");
  EXPECT_TRUE(form->cmbMapComment.SetListIndex(ComboList::kMaxRows - 1));
  EXPECT_EQ(form->labCommand.Caption(), " +map m32766");
}
#endif

TEST_F(MapListTest, TheCommentGuardReadsTheMapList) {
  AddMaps({"a.bsp"});
  auto form = LoadWithGame(game_);
  form->cmdComment_Click();
  EXPECT_EQ(host_.messages.size(), 1u);
  form->cmbMapComment.SetListIndex(1);
  form->cmdComment_Click();
  EXPECT_EQ(host_.messages.size(), 1u);
}

}  // namespace
}  // namespace tarq::forms
