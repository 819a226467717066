// What the three layout tables must satisfy, and the Tab order and first
// focus of each window; the front ends' tests check that their windows
// follow the tables.

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "core/version.h"
#include "forms/frm_main.h"
#include "support/recording_host.h"
#include "support/temp_dir.h"

namespace tarq::forms {
namespace {

using K = ControlKind;

class EveryTable : public ::testing::TestWithParam<const WindowLayout*> {};

TEST_P(EveryTable, KeepsEachControlInsideTheClientArea) {
  const WindowLayout& layout = *GetParam();
  for (const ControlLayout& c : layout.controls) {
    EXPECT_TRUE(c.left >= 0 && c.top >= 0 && c.width > 0 && c.height > 0 &&
                c.left + c.width <= layout.width && c.top + c.height <= layout.height)
        << c.name;
  }
}

TEST_P(EveryTable, GivesEachControlANameAndTabIndexOfItsOwn) {
  std::set<std::string_view> names;
  std::set<int> tabs;
  for (const ControlLayout& c : GetParam()->controls) {
    EXPECT_TRUE(names.insert(c.name).second) << c.name;
    EXPECT_TRUE(tabs.insert(c.tabIndex).second) << c.name;
  }
}

// A caption names one control at most, and holds no "&", which a toolkit
// could take for a mnemonic.
TEST_P(EveryTable, NamesControlsByCaptionLabelsOfTheTable) {
  const WindowLayout& layout = *GetParam();
  std::set<std::string_view> used;
  for (const ControlLayout& c : layout.controls) {
    if (c.labelledBy.empty()) continue;
    const ControlLayout* caption = layout.CaptionOf(c);
    ASSERT_NE(caption, nullptr) << c.name;
    EXPECT_TRUE(IsCaption(caption->kind)) << c.name;
    EXPECT_EQ(caption->caption.find('&'), std::string_view::npos) << c.name;
    EXPECT_TRUE(used.insert(caption->name).second) << caption->name << " names two controls";
  }
}

// What a screen reader reads for each control the Tab key visits: its
// row's own name, else its caption label's, else its own caption; never
// nothing, and never punctuation alone ("...").
TEST_P(EveryTable, NamesEveryControlTheTabKeyVisits) {
  const WindowLayout& layout = *GetParam();
  for (const ControlLayout* c : layout.TabOrder()) {
    const ControlLayout* caption = layout.CaptionOf(*c);
    const std::string_view name = !c->accessibleName.empty() ? c->accessibleName
                                  : caption != nullptr       ? caption->caption
                                                             : c->caption;
    EXPECT_NE(name.find_first_not_of(". "), std::string_view::npos) << c->name;
  }
}

INSTANTIATE_TEST_SUITE_P(Layout, EveryTable,
                         ::testing::Values(&kFrmMainLayout, &kDlgCommentLayout,
                                           &kDlgFldSelectLayout),
                         [](const auto& p) { return std::string(p.param->name); });

std::vector<std::string> Names(const std::vector<const ControlLayout*>& controls) {
  std::vector<std::string> names;
  for (const ControlLayout* c : controls) {
    if (c->enabled) names.emplace_back(c->name);
  }
  return names;
}

// The title and the controls the Tab key visits, enabled, in order; the
// first of them has the focus when the window is shown.
TEST(Layout, TitlesAndTabOrders) {
  const struct {
    const WindowLayout& layout;
    std::string_view title;
    std::vector<std::string> tabOrder;
  } windows[] = {
      {kFrmMainLayout,
       "TARQ " TARQ_VERSION,
       {"cmdFldSelect", "cmbMemory", "cmbConsole", "cmdComment", "cmdStart", "cmbDiff",
        "cmbMapComment"}},
      {kDlgCommentLayout, "コメント", {"cmdOK", "cmdCansel", "cmbMark", "txtComment", "cmdDelete"}},
      {kDlgFldSelectLayout, "フォルダ選択", {"cmdOK", "cmdCancel", "dirHL", "drvHL"}},
  };
  for (const auto& w : windows) {
    SCOPED_TRACE(std::string(w.layout.name));
    EXPECT_EQ(w.layout.caption, w.title);
    EXPECT_EQ(Names(w.layout.TabOrder()), w.tabOrder);
    EXPECT_EQ(w.layout.FirstFocus()->name, w.tabOrder.front());
  }
}

TEST(Layout, FixedListsAreFilledFromTheirRows) {
  testing::RecordingHost host;
  testing::TempDir dir;
  FrmMain form(host, dir.Path());
  const std::vector<std::pair<std::string, std::int32_t>> memory{
      {"無指定", 0}, {"16MB", 16000}, {"32MB", 32000}, {"64MB", 64000}, {"128MB", 128000}};
  ASSERT_EQ(form.cmbMemory.ListCount(), 5);
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(form.cmbMemory.List(i), memory[static_cast<std::size_t>(i)].first);
    EXPECT_EQ(form.cmbMemory.ItemData(i), memory[static_cast<std::size_t>(i)].second);
  }
  EXPECT_EQ(form.cmbDiff.List(2), "Nomal");
  EXPECT_EQ(form.cmbConsole.List(2), "-dev toconsole");
  const DlgComment dialog(host, form.CommentPath(), nullptr);
  std::string marks;
  for (int i = 0; i < dialog.cmbMark.ListCount(); ++i) marks += dialog.cmbMark.List(i);
  EXPECT_EQ(marks, "　◎○△×！？☆＊λ");
}

const ControlLayout* Row(const WindowLayout& layout, std::string_view name) {
  for (const ControlLayout& c : layout.controls) {
    if (c.name == name) return &c;
  }
  return nullptr;
}

ControlBinding BindingOf(Form& form, std::string_view name) {
  const ControlLayout* row = Row(form.Layout(), name);
  return row != nullptr && row->binder != nullptr ? row->binder(form) : ControlBinding{};
}

// Every control a window shows that carries state or events has a model
// control: a row without one would leave a widget unbound.
void CheckBindings(Form& form, const WindowLayout& layout) {
  EXPECT_EQ(&form.Layout(), &layout);
  for (const ControlLayout& c : layout.controls) {
    if (!c.visible || c.kind == K::kCaptionLabel || c.kind == K::kFixedCaptionLabel) continue;
    const ControlBinding b = BindingOf(form, c.name);
    const bool bound = b.label != nullptr || b.list != nullptr || b.textBox != nullptr ||
                       b.folderList != nullptr || b.click != nullptr;
    EXPECT_EQ(bound, c.enabled) << layout.name << "." << c.name;
  }
}

TEST(Layout, EveryShownControlBindsToItsModel) {
  testing::RecordingHost host;
  testing::TempDir dir;
  FrmMain form(host, dir.Path());
  CheckBindings(form, kFrmMainLayout);
  EXPECT_EQ(BindingOf(form, "labFile").label, nullptr)
      << "the comment dialog's, not the main window's";
  EXPECT_NE(BindingOf(form, "cmbMapComment").gotFocus, nullptr);
  DlgComment comment(host, form.CommentPath(), nullptr);
  CheckBindings(comment, kDlgCommentLayout);
  EXPECT_EQ(BindingOf(comment, "labFile").label, &comment.labFile);
  DlgFldSelect folder(host, {}, nullptr, nullptr);
  CheckBindings(folder, kDlgFldSelectLayout);
}

// A dialog's frame (4 px border, 20 px title bar around 185 x 241) on the
// main window's monitor, its client area at 184, 246 from the monitor's
// corner, within the work area.
TEST(Layout, DialogsOpenOnTheMainWindowsMonitor) {
  const ScreenRect frame{-4, -24, 189, 245};
  const struct {
    const char* what;
    ScreenRect monitor, workArea, expected;
  } cases[] = {
      {"one monitor", {0, 0, 1920, 1080}, {0, 0, 1920, 1040}, {180, 222, 373, 491}},
      {"to the right", {1920, 0, 3840, 1080}, {1920, 0, 3840, 1040}, {2100, 222, 2293, 491}},
      {"to the left, above", {-1280, -200, 0, 824}, {-1280, -200, 0, 784}, {-1100, 22, -907, 291}},
      {"taskbar at the top", {0, 0, 1920, 1080}, {0, 300, 1920, 1080}, {180, 300, 373, 569}},
      {"work area too short", {0, 0, 640, 400}, {0, 0, 640, 360}, {180, 91, 373, 360}},
      {"too small for it", {0, 0, 150, 200}, {0, 0, 150, 200}, {0, 0, 193, 269}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DialogFrameOnMonitor(c.monitor, c.workArea, frame, 184, 246), c.expected) << c.what;
  }
}

TEST(Layout, TwipsArePixelsAtTheResolution) {
  EXPECT_EQ(TwipsToPixels(4950), 330);
  EXPECT_EQ(TwipsToPixels(255), 17);
  EXPECT_EQ(TwipsToPixels(4950, 144), 495);
  EXPECT_EQ(TwipsToPixels(7), 0);
  EXPECT_EQ(TwipsToPixels(8), 1);
}

}  // namespace
}  // namespace tarq::forms
