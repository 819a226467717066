#include <gtest/gtest.h>

#include "forms/frm_main.h"
#include "platform/fs.h"
#include "platform/process.h"
#include "platform/text.h"
#include "support/recording_host.h"
#include "support/temp_dir.h"

namespace tarq::forms {
namespace {

// Map file names against the arguments the game receives: the option text
// split as the game splits its command line. A name the game could not load
// by "+map" stays in the list and adds nothing; the other options stay.
// The game reads its command line in the system's ANSI code page, Japanese
// unless the row says otherwise.
struct MapName {
  const char* name;
  const char* file;
  const char* passed;      // the map argument, or nullptr for none
  bool posixOnly = false;  // no file name on Windows
  unsigned codePage = 932;
};

class MapNameTest : public ::testing::TestWithParam<MapName> {
 protected:
  void TearDown() override { platform::SetAnsiCodePage(0); }
};

TEST_P(MapNameTest, AddsNoArgumentToTheGame) {
  const MapName& m = GetParam();
#ifdef _WIN32
  if (m.posixOnly) GTEST_SKIP() << "no such file name on Windows";
#endif
  platform::SetAnsiCodePage(m.codePage);
  testing::TempDir dir;
  const std::string maps = platform::JoinPath(dir / "game", "valve/maps");
  testing::MakeFolders(maps);
  testing::WriteBytes(platform::JoinPath(maps, m.file), "");
  testing::WriteBytes(dir / "tarqcfg.dat", dir / "game" + "\r\n 1 \r\n 0 \r\n 0 \r\n");
  testing::RecordingHost host;
  FrmMain form(host, dir.Path());
  form.Form_Load();
  ASSERT_EQ(form.cmbMap.List(1), m.file);
  form.cmbMapComment.SetListIndex(1);
  std::vector<std::string> expected{"+skill", "1"};
  if (m.passed != nullptr) expected.insert(expected.begin(), {"+map", m.passed});
  EXPECT_EQ(platform::SplitWindowsCommandTail(form.labCommand.Caption()), expected);
}

INSTANTIATE_TEST_SUITE_P(Names, MapNameTest,
                         ::testing::Values(MapName{"plain", "c1a0.bsp", "c1a0"},
                                           MapName{"dash_inside", "a-b.bsp", "a-b"},
                                           MapName{"japanese", "地図－２.bsp", "地図－２"},
                                           MapName{"space", "a b.bsp", nullptr},
                                           MapName{"plus_command", "a +exec pwn.bsp", nullptr},
                                           MapName{"dash_after_space", "c -game evil.bsp", nullptr},
                                           MapName{"plus_inside", "b+quit.bsp", nullptr},
                                           MapName{"semicolon", "a;quit.bsp", nullptr},
                                           MapName{"leading_dash", "-game.bsp", nullptr},
                                           MapName{"only_spaces", "   .bsp", nullptr},
                                           MapName{"ideographic_space", "a　b.bsp", nullptr},
                                           MapName{"fullwidth_plus", "b＋quit.bsp", nullptr},
                                           MapName{"leading_fullwidth_dash", "－game.bsp", nullptr},
                                           MapName{"tab", "a\t+quit.bsp", nullptr, true},
                                           MapName{"quotes", "a\" -game \"b.bsp", nullptr, true}),
                         [](const auto& p) { return std::string(p.param.name); });

// A name that reaches the game with '?' or a look-alike in place of a
// character could only fail to load.
INSTANTIATE_TEST_SUITE_P(
    CodePages, MapNameTest,
    ::testing::Values(MapName{"kana_western", "ちず.bsp", nullptr, false, 1252},
                      MapName{"kana_chinese", "ちず.bsp", "ちず", false, 936},
                      MapName{"kana_utf8", "ちず.bsp", "ちず", false, 65001},
                      MapName{"accent_western", "café.bsp", "café", false, 1252},
                      MapName{"fullwidth_western", "ｃ１ａ０.bsp", nullptr, false, 1252},
                      MapName{"wave_dash_japanese", "a〜b.bsp", nullptr}),
    [](const auto& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace tarq::forms
