// A catalogue of settings files (tests/data/bad/settings), each with the
// start-up it gives: no message, what was restored, nothing written until
// the window closes, then the four lines written afresh.

#include <gtest/gtest.h>

#include <filesystem>

#include "forms/frm_main.h"
#include "support/recording_host.h"
#include "support/temp_dir.h"

namespace tarq::forms {
namespace {

namespace fs = std::filesystem;

struct Start {
  const char* file;
  const char* folder;
  int diff, memory, console;
  friend void PrintTo(const Start& s, std::ostream* os) { *os << s.file; }
};

const Start kCatalogue[] = {
    {"zero_lines.cfg", "", 0, 0, 0},
    {"one_line.cfg", "/games/Half-Life", 0, 0, 0},
    {"three_lines.cfg", "/games/Half-Life", 1, 2, 0},
    {"five_lines.cfg", "/games/Half-Life", 1, 2, 1},
    {"difficulty_out_of_range.cfg", "/games/Half-Life", 0, 0, 0},
    {"negative_two.cfg", "/games/Half-Life", 0, 0, 0},
    {"too_big.cfg", "/games/Half-Life", 0, 0, 0},
    {"exponent_1e9.cfg", "/games/Half-Life", 0, 0, 0},
    {"hex_h10.cfg", "/games/Half-Life", 0, 2, 1},
    {"exponent_2e0.cfg", "/games/Half-Life", 2, 2, 0},
    {"folder_gone.cfg", "/no/such/folder/anymore", 1, 0, 0},
    {"spaces_and_japanese.cfg", "/games/Half Life ゲーム", 3, 4, 2},
    {"lf_only.cfg", "/games/Half-Life", 1, 2, 1},
    {"folder_not_code_page_932.cfg", "", 0, 0, 0},
    {"text_instead_of_number.cfg", "/games/Half-Life", 0, 2, 1},
};

class BadSettingsFile : public ::testing::TestWithParam<Start> {};

TEST_P(BadSettingsFile, StartsQuietlyWithWhatItCouldRead) {
  const Start& s = GetParam();
  testing::TempDir dir;
  const std::string source = (fs::u8path(TARQ_BAD_FILES) / "settings" / s.file).string();
  const std::string original = testing::ReadBytes(source);
  const std::string cfg = dir / "tarqcfg.dat";
  testing::WriteBytes(cfg, original);
  testing::RecordingHost host;
  FrmMain form(host, dir.Path());
  form.Form_Load();
  EXPECT_EQ(form.labHL.Caption(), s.folder);
  EXPECT_EQ(form.cmbDiff.ListIndex(), s.diff);
  EXPECT_EQ(form.cmbMemory.ListIndex(), s.memory);
  EXPECT_EQ(form.cmbConsole.ListIndex(), s.console);
  EXPECT_EQ(form.cmbMap.ListCount(), 1);
  EXPECT_TRUE(host.messages.empty());
  EXPECT_TRUE(testing::ReadBytes(cfg) == original) << "written before the window closed";
  form.Form_Unload();
  const std::string written = testing::ReadBytes(cfg);
  EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), 4);
  FrmMain again(host, dir.Path());
  again.Form_Load();
  EXPECT_EQ(again.labHL.Caption(), s.folder);
  EXPECT_EQ(again.cmbDiff.ListIndex(), s.diff);
  EXPECT_EQ(again.cmbConsole.ListIndex(), s.console);
}

INSTANTIATE_TEST_SUITE_P(Catalogue, BadSettingsFile, ::testing::ValuesIn(kCatalogue),
                         [](const auto& p) {
                           std::string name = p.param.file;
                           return name.substr(0, name.find('.'));
                         });

TEST(BadSettingsFiles, EveryCataloguedFileHasAnOutcome) {
  std::size_t files = 0;
  for (const auto& entry : fs::directory_iterator(fs::u8path(TARQ_BAD_FILES) / "settings")) {
    bool listed = false;
    for (const Start& s : kCatalogue) listed = listed || entry.path().filename() == s.file;
    EXPECT_TRUE(listed) << entry.path();
    ++files;
  }
  EXPECT_EQ(files, std::size(kCatalogue));
}

TEST(BadSettingsFiles, AFolderWhereTheFileShouldBeStartsQuietly) {
  testing::TempDir dir;
  testing::MakeFolders(dir / "tarqcfg.dat");
  testing::RecordingHost host;
  FrmMain form(host, dir.Path());
  form.Form_Load();
  EXPECT_EQ(form.labHL.Caption(), "");
  EXPECT_TRUE(host.messages.empty());
  form.Form_Unload();  // cannot replace a folder: it stays, and nothing breaks
  EXPECT_TRUE(fs::is_directory(fs::u8path(dir / "tarqcfg.dat")));
}

}  // namespace
}  // namespace tarq::forms
