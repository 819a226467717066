// The game folder dialog on Windows: drive letters, drive roots and the
// per-drive current folder.

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "forms/frm_main.h"
#include "platform/drives.h"
#include "platform/fs.h"
#include "platform/process.h"
#include "support/recording_host.h"
#include "support/temp_dir.h"

namespace tarq::forms {
namespace {

namespace fs = std::filesystem;
using testing::RecordingHost;
using testing::TempDir;
using testing::WriteBytes;

TEST(WindowsFolders, ChainFromTheDriveRoot) {
  EXPECT_EQ(platform::FolderChain("C:\\Games\\Half-Life"),
            (std::vector<std::string>{"C:\\", "C:\\Games", "C:\\Games\\Half-Life"}));
  EXPECT_EQ(platform::FolderChain("C:\\"), std::vector<std::string>{"C:\\"});
  EXPECT_EQ(platform::ChildFolder("C:\\", "Games"), "C:\\Games");
  EXPECT_EQ(platform::ChildFolder("C:\\Games", "HL"), "C:\\Games\\HL");
}

TEST(WindowsFolders, DrivesAreTheSystemsLetters) {
  const auto drives = platform::ListDrives();
  ASSERT_FALSE(drives.empty());
  EXPECT_GE(platform::DriveIndexOf("c:\\windows", drives), 0);
  EXPECT_EQ(drives[static_cast<std::size_t>(platform::DriveIndexOf("C:\\", drives))].label, "c:");
  EXPECT_EQ(platform::DriveIndexOf("\\\\server\\share", drives), -1);
}

class WindowsFolderDialog : public ::testing::Test {
 protected:
  WindowsFolderDialog() : saved_(platform::CurrentFolder()) {
    form_ = std::make_unique<FrmMain>(host_, dir_.Path());
    form_->Form_Load();
  }
  ~WindowsFolderDialog() override { platform::ChangeFolder(saved_); }

  DlgFldSelect& Open(const std::string& current) {
    EXPECT_TRUE(platform::ChangeFolder(current));
    form_->cmdFldSelect_Click();
    return *form_->dlgFldSelect();
  }

  TempDir dir_;
  std::string saved_;
  RecordingHost host_;
  std::unique_ptr<FrmMain> form_;
};

TEST_F(WindowsFolderDialog, AcceptsAJapaneseFolderWithSpacesThatHoldsHlExe) {
  const std::string game = dir_ / "Half Life ゲーム";
  fs::create_directories(fs::u8path(game + "\\valve\\maps"));
  WriteBytes(game + "\\hl.exe", "");
  WriteBytes(game + "\\valve\\maps\\c1a0.bsp", "");
  DlgFldSelect& d = Open(game);
  EXPECT_EQ(d.dirHL.Path(), game);
  EXPECT_EQ(d.drvHL.Text(), "c:");
  d.cmdOK_Click();
  EXPECT_TRUE(host_.messages.empty());
  EXPECT_EQ(form_->labHL.Caption(), game);
  EXPECT_EQ(form_->labMaps.Caption(), game + "\\valve\\maps");
  EXPECT_EQ(form_->cmbMap.List(1), "c1a0.bsp");
  EXPECT_TRUE(form_->Enabled());
}

TEST_F(WindowsFolderDialog, ADriveRootIsTestedWithTwoBackslashes) {
  WriteBytes("C:\\hl.exe", "");
  DlgFldSelect& d = Open("C:\\");
  EXPECT_EQ(d.dirHL.Path(), "C:\\");
  d.cmdOK_Click();
  std::remove("C:\\hl.exe");
  EXPECT_TRUE(host_.messages.empty());
  EXPECT_EQ(form_->labHL.Caption(), "C:\\");
  EXPECT_EQ(form_->labMaps.Caption(), "C:\\\\valve\\maps");
}

TEST_F(WindowsFolderDialog, ADriveThatIsNotThereLeavesTheFolderList) {
  form_->ListDrives = [] {
    auto drives = platform::ListDrives();
    const DWORD mask = GetLogicalDrives();
    for (int i = 25; i >= 3; --i) {
      if ((mask & (1u << i)) == 0) {
        const char letter = static_cast<char>('A' + i);
        drives.push_back({std::string(1, letter) + ":\\", std::string(1, letter) + ":"});
        break;
      }
    }
    return drives;
  };
  DlgFldSelect& d = Open(dir_.Path());
  d.drvHL.SetListIndex(d.drvHL.ListCount() - 1);
  EXPECT_EQ(
      host_.messages,
      (std::vector<std::string>{"デバイスが使用できません。\r\nフォルダを再選択して下さい。"}));
  EXPECT_EQ(d.dirHL.Path(), dir_.Path());
  EXPECT_EQ(d.drvHL.ListIndex(), d.drvHL.ListCount() - 1);
}

TEST_F(WindowsFolderDialog, AnotherDriveOpensOnItsCurrentFolder) {
  DlgFldSelect& d = Open(dir_.Path());
  const auto drives = platform::ListDrives();
  const int z = platform::DriveIndexOf("Z:\\", drives);
  if (z < 0) GTEST_SKIP() << "no second drive";
  d.drvHL.SetListIndex(z);
  EXPECT_TRUE(host_.messages.empty());
  EXPECT_EQ(d.dirHL.Path().substr(0, 2), "Z:");
}

}  // namespace
}  // namespace tarq::forms
