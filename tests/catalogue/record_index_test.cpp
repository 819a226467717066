#include <gtest/gtest.h>

#include "catalogue/record_index.h"
#include "support/records.h"

namespace tarq::catalogue {
namespace {

struct RowCase {
  const char* name;
  std::string map;
  std::vector<CommentRecord> records;
  std::string expected;
  friend void PrintTo(const RowCase& c, std::ostream* os) { *os << c.name; }
};

class ComposeMapRowTest : public ::testing::TestWithParam<RowCase> {};

TEST_P(ComposeMapRowTest, BothWaysGiveTheSpecifiedRow) {
  const RowCase& c = GetParam();
  EXPECT_EQ(testing::ReferenceMapRow(c.map, testing::Views(c.records)), c.expected);
  EXPECT_EQ(RecordIndex(testing::Views(c.records)).ComposeMapRow(c.map), c.expected);
}

const std::string k8 = std::string(8, ' ');
const std::string kName16 = "abcdefghijkl.bsp";

INSTANTIATE_TEST_SUITE_P(
    Examples, ComposeMapRowTest,
    ::testing::Values(
        RowCase{"no_record", "c1a0.bsp", {}, "c1a0.bsp" + k8},
        RowCase{"one_record", "c1a0.bsp", {{"c1a0.bsp", "◎", "test"}}, "c1a0.bsp" + k8 + "◎　test"},
        RowCase{"blank_mark_empty_comment",
                "c1a0.bsp",
                {{"c1a0.bsp", "　", ""}},
                "c1a0.bsp" + k8 + "　　"},
        RowCase{"sixteen_characters", kName16, {{kName16, "○", "x"}}, kName16 + "○　x"},
        RowCase{"longer_than_sixteen", "abcdefghijklmnop.bsp", {}, "abcdefghijklmnop.bsp"},
        RowCase{"two_records_marks_first",
                "c1a0.bsp",
                {{"c1a0.bsp", "◎", "one"}, {"x.bsp", "☆", "no"}, {"c1a0.bsp", "×", "two"}},
                "c1a0.bsp" + k8 + "◎　×　onetwo"},
        RowCase{"japanese_counts_one_each", "地図.bsp", {}, "地図.bsp" + std::string(10, ' ')},
        RowCase{"case_differs_no_match",
                "b.bsp",
                {{"B.bsp", "◎", "x"}},
                "b.bsp" + std::string(11, ' ')}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(RecordIndex, MatchesTheScanForEveryMapOfAShuffledStore) {
  std::vector<CommentRecord> records;
  for (int i = 0; i < 300; ++i) {
    records.push_back({"m" + std::to_string((i * 37) % 101) + ".bsp", i % 2 ? "◎" : "○",
                       "c" + std::to_string(i)});
  }
  const RecordIndex index(testing::Views(records));
  for (int m = 0; m < 120; ++m) {
    const std::string name = "m" + std::to_string(m) + ".bsp";
    EXPECT_EQ(index.ComposeMapRow(name), testing::ReferenceMapRow(name, testing::Views(records)))
        << name;
  }
}

}  // namespace
}  // namespace tarq::catalogue
