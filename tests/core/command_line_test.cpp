#include <gtest/gtest.h>

#include "core/command_line.h"
#include "platform/text.h"

namespace tarq::core {
namespace {

struct Case {
  const char* name;
  OptionSelections selections;
  std::string expected;
  friend void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }
};

ListSelection Pick(std::int16_t index, std::string_view text, std::int32_t data = 0) {
  return {index, text, data};
}

const ListSelection kNone{-1, "", 0};
const ListSelection kRow0{0, "無指定", 0};

// As on the Japanese systems the launcher is made for; the map-name table
// tries other code pages.
class ComposeOptionTextTest : public ::testing::TestWithParam<Case> {
 protected:
  void SetUp() override { platform::SetAnsiCodePage(932); }
  void TearDown() override { platform::SetAnsiCodePage(0); }
};

TEST_P(ComposeOptionTextTest, Composes) {
  EXPECT_EQ(ComposeOptionText(GetParam().selections), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Options, ComposeOptionTextTest,
    ::testing::Values(
        Case{"all_row_0", {Pick(0, "最初から"), kRow0, kRow0, kRow0}, ""},
        Case{"no_selection", {kNone, kNone, kNone, kNone}, ""},
        Case{"map_only", {Pick(3, "c1a0.bsp"), kRow0, kRow0, kRow0}, " +map c1a0"},
        Case{"upper_case_extension", {Pick(1, "MAP.BSP"), kRow0, kRow0, kRow0}, " +map MAP"},
        Case{"japanese_map_name", {Pick(1, "地図.bsp"), kRow0, kRow0, kRow0}, " +map 地図"},
        Case{"difficulty_hard", {kNone, Pick(3, "Hard", 3), kRow0, kRow0}, " +skill \"3\""},
        Case{"heap_128", {kRow0, kRow0, Pick(4, "128MB", 128000), kRow0}, " -heapsize 128000"},
        Case{"heap_uses_tag_not_row",
             {kRow0, kRow0, Pick(1, "16MB", 16000), kRow0},
             " -heapsize 16000"},
        Case{"console_row_2", {kRow0, kRow0, kRow0, Pick(2, "-dev toconsole")}, " -dev toconsole"},
        Case{"the_example",
             {Pick(1, "c1a0.bsp"), Pick(1, "Easy", 1), Pick(2, "32MB", 32000), Pick(1, "-console")},
             " +map c1a0 +skill \"1\" -heapsize 32000 -console"},
        Case{
            "map_name_empty", {Pick(1, ".bsp"), Pick(1, "Easy", 1), kRow0, kRow0}, " +skill \"1\""},
        Case{"map_name_not_utf8", {Pick(1, "a\xff.bsp"), kRow0, kRow0, kRow0}, ""},
        Case{"everything_but_map",
             {kNone, Pick(2, "Nomal", 2), Pick(3, "64MB", 64000), Pick(1, "-console")},
             " +skill \"2\" -heapsize 64000 -console"}),
    [](const auto& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace tarq::core
