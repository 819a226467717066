#include <gtest/gtest.h>

#include "forms/controls.h"

namespace tarq::forms {
namespace {

// Rows "row 0", "row 1", ... that count how often a text is made.
class CountingRows final : public RowSource {
 public:
  explicit CountingRows(int count) : count_(count) {}
  int Count() const override { return count_; }
  std::string Text(int row) const override {
    ++made;
    return "row " + std::to_string(row);
  }
  mutable int made = 0;

 private:
  int count_;
};

TEST(ComboList, SourceRowsAreMadeOnlyWhenAskedForAndOnce) {
  ComboList list;
  auto rows = std::make_shared<CountingRows>(30000);
  list.ReplaceRows(rows);
  EXPECT_EQ(list.ListCount(), 30000);
  EXPECT_EQ(rows->made, 0);
  EXPECT_EQ(list.List(29999), "row 29999");
  EXPECT_EQ(list.List(29999), "row 29999");
  EXPECT_EQ(rows->made, 1);
  EXPECT_EQ(list.ItemData(5), 0);
  ASSERT_TRUE(list.SetListIndex(7));
  EXPECT_EQ(list.Text(), "row 7");
}

TEST(ComboList, ReplacingKeepsASelectionThatStillExists) {
  ComboList list;
  int clicks = 0;
  list.Click = [&clicks] { ++clicks; };
  list.ReplaceRows(std::make_shared<CountingRows>(10));
  list.SetListIndex(8);
  list.ReplaceRows(std::make_shared<CountingRows>(9));
  EXPECT_EQ(list.ListIndex(), 8);
  list.ReplaceRows(std::make_shared<CountingRows>(5));
  EXPECT_EQ(list.ListIndex(), -1);
  EXPECT_EQ(clicks, 1);  // replacing rows raises no Click
}

TEST(ComboList, HoldsNoMoreRowsThanAListIndexReaches) {
  ComboList list;
  list.ReplaceRows(std::make_shared<CountingRows>(40000));
  EXPECT_EQ(list.ListCount(), ComboList::kMaxRows);
  EXPECT_TRUE(list.SetListIndex(32767));
  EXPECT_FALSE(list.SetListIndex(32768));
  EXPECT_FALSE(list.SetListIndex(-2));
}

TEST(Label, RaisesChangeOnlyForANewCaption) {
  Label label;
  int changes = 0;
  label.Change = [&] { ++changes; };
  label.SetCaption("a");
  label.SetCaption("a");
  label.SetCaption("");
  EXPECT_EQ(changes, 2);
}

}  // namespace
}  // namespace tarq::forms
