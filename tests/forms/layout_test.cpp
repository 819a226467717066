// The three layout tables against the windows as designed, once; the
// front ends' tests check that their windows follow the tables.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/version.h"
#include "forms/frm_main.h"
#include "support/recording_host.h"
#include "support/temp_dir.h"

namespace tarq::forms {
namespace {

using K = ControlKind;

struct Expected {
  const char* name;
  ControlKind kind;
  int left, top, width, height, tab;
  const char* caption;
  FontSpec font;
  bool visible = true;
  bool enabled = true;
};

void CheckTable(const WindowLayout& layout, const std::vector<Expected>& expected) {
  ASSERT_EQ(layout.controls.size(), expected.size()) << layout.name;
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const Expected& e = expected[i];
    const ControlLayout& c = layout.controls[i];
    SCOPED_TRACE(std::string(layout.name) + "." + e.name);
    EXPECT_EQ(c.name, e.name);
    EXPECT_EQ(c.kind, e.kind);
    EXPECT_EQ((std::vector<int>{c.left, c.top, c.width, c.height, c.tabIndex}),
              (std::vector<int>{e.left, e.top, e.width, e.height, e.tab}));
    EXPECT_EQ(c.caption, e.caption);
    EXPECT_EQ(c.font.family, e.font.family);
    EXPECT_EQ(c.font.points, e.font.points);
    EXPECT_EQ(c.font.bold, e.font.bold);
    EXPECT_EQ(c.font.italic, e.font.italic);
    EXPECT_EQ(c.visible, e.visible);
    EXPECT_EQ(c.enabled, e.enabled);
  }
}

std::vector<std::string> Names(const std::vector<const ControlLayout*>& controls,
                               bool enabledOnly) {
  std::vector<std::string> names;
  for (const ControlLayout* c : controls) {
    if (c->enabled || !enabledOnly) names.emplace_back(c->name);
  }
  return names;
}

const FontSpec kNone{};
const FontSpec kMap{kGothic, 9};
const FontSpec kHeading{kPGothic, 9, true};

TEST(Layout, TheMainWindow) {
  EXPECT_EQ(kFrmMainLayout.caption, "TARQ " TARQ_VERSION);
  EXPECT_EQ(kFrmMainLayout.kind, WindowKind::kMain);
  EXPECT_EQ(kFrmMainLayout.width, 4950);
  EXPECT_EQ(kFrmMainLayout.height, 5775);
  EXPECT_EQ(kFrmMainLayout.FirstFocus()->name, "cmdFldSelect");
  CheckTable(
      kFrmMainLayout,
      {
          {"Label1", K::kCaptionLabel, 120, 120, 4575, 375, 0, "TARQ", {kPGothic, 18, true, true}},
          {"Label2", K::kCaptionLabel, 120, 600, 1335, 255, 1, "Half-Lifeフォルダ", kNone},
          {"labHL", K::kValueLabel, 240, 840, 4095, 255, 2, "", kNone},
          {"cmdFldSelect", K::kButton, 4440, 840, 255, 255, 7, "...", kNone},
          {"Label4", K::kCaptionLabel, 120, 1200, 1095, 255, 3, "Valveフォルダ", kNone},
          {"labValve", K::kValueLabel, 240, 1440, 4455, 255, 4, "", kNone},
          {"Label6", K::kCaptionLabel, 120, 1800, 1095, 255, 5, "Mapsフォルダ", kNone},
          {"labMaps", K::kValueLabel, 240, 2040, 4455, 255, 6, "", kNone},
          {"Label11", K::kCaptionLabel, 120, 2400, 375, 255, 13, "MAP", kNone},
          {"cmbMapComment", K::kDropDownList, 240, 2640, 4455, 300, 22, "", kMap},
          {"Command3", K::kButton, 1920, 3000, 1335, 255, 16, "Add PakFile", kNone, true, false},
          {"cmdComment", K::kButton, 3360, 3000, 1335, 255, 15, "Comment", kNone},
          {"Label8", K::kCaptionLabel, 120, 3480, 615, 255, 8, "難易度", kNone},
          {"Label9", K::kCaptionLabel, 1560, 3480, 975, 255, 11, "メモリ使用量", kNone},
          {"Label10", K::kCaptionLabel, 3000, 3480, 855, 255, 12, "コンソール", kNone},
          {"cmbDiff", K::kDropDownList, 240, 3720, 1215, 300, 21, "", kNone},
          {"cmbMemory", K::kDropDownList, 1680, 3720, 1215, 300, 9, "", kNone},
          {"cmbConsole", K::kDropDownList, 3120, 3720, 1575, 300, 10, "", kNone},
          {"Label12", K::kCaptionLabel, 120, 4320, 1935, 255, 17, "コマンドライン オプション",
           kNone},
          {"labCommand", K::kValueLabel, 240, 4560, 4455, 495, 18, "", kNone},
          {"cmdStart", K::kButton, 3600, 5160, 1095, 375, 19, "START", kNone},
          {"cmbMap", K::kDropDownList, 2040, 5160, 975, 300, 14, "", kMap, false},
          {"flbSelect", K::kFileList, 240, 5160, 1695, 270, 20, "", kNone, false},
      });
  EXPECT_EQ(Names(kFrmMainLayout.TabOrder(), true),
            (std::vector<std::string>{"cmdFldSelect", "cmbMemory", "cmbConsole", "cmdComment",
                                      "cmdStart", "cmbDiff", "cmbMapComment"}));
}

TEST(Layout, TheCommentDialog) {
  EXPECT_EQ(kDlgCommentLayout.caption, "コメント");
  EXPECT_EQ(kDlgCommentLayout.kind, WindowKind::kToolDialog);
  EXPECT_EQ(kDlgCommentLayout.width, 2535);
  EXPECT_EQ(kDlgCommentLayout.height, 3255);
  EXPECT_EQ(kDlgCommentLayout.FirstFocus()->name, "cmdOK");
  CheckTable(kDlgCommentLayout,
             {
                 {"Label3", K::kFixedCaptionLabel, 120, 120, 855, 255, 6, "ファイル名", kNone},
                 {"labFile", K::kCaptionLabel, 240, 360, 90, 180, 7, "", kHeading},
                 {"Label1", K::kCaptionLabel, 120, 720, 495, 180, 2, "マーク", kNone},
                 {"cmbMark", K::kDropDownList, 240, 960, 615, 300, 3, "", kNone},
                 {"Label2", K::kCaptionLabel, 120, 1440, 555, 180, 4, "コメント", kNone},
                 {"txtComment", K::kTextBox, 240, 1680, 2055, 270, 5, "", kNone},
                 {"cmdOK", K::kButton, 240, 2160, 975, 375, 0, "OK", kNone},
                 {"cmdCansel", K::kButton, 1320, 2160, 975, 375, 1, "ｷｬﾝｾﾙ", kNone},
                 {"cmdDelete", K::kButton, 240, 2640, 2055, 375, 8, "コメントの消去", kNone},
             });
  EXPECT_EQ(Names(kDlgCommentLayout.TabOrder(), false),
            (std::vector<std::string>{"cmdOK", "cmdCansel", "cmbMark", "txtComment", "cmdDelete"}));
}

TEST(Layout, TheFolderDialog) {
  EXPECT_EQ(kDlgFldSelectLayout.caption, "フォルダ選択");
  EXPECT_EQ(kDlgFldSelectLayout.kind, WindowKind::kToolDialog);
  EXPECT_EQ(kDlgFldSelectLayout.width, 2775);
  EXPECT_EQ(kDlgFldSelectLayout.height, 3615);
  EXPECT_EQ(kDlgFldSelectLayout.FirstFocus()->name, "cmdOK");
  CheckTable(
      kDlgFldSelectLayout,
      {
          {"Label2", K::kCaptionLabel, 120, 120, 1545, 180, 2, "Half-Lifeフォルダ", kHeading},
          {"dirHL", K::kFolderList, 240, 360, 2295, 2190, 3, "", kNone},
          {"drvHL", K::kDriveList, 240, 2640, 2295, 300, 4, "", kNone},
          {"cmdOK", K::kButton, 240, 3120, 1095, 255, 0, "OK", kNone},
          {"cmdCancel", K::kButton, 1440, 3120, 1095, 255, 1, "ｷｬﾝｾﾙ", kNone},
      });
  EXPECT_EQ(Names(kDlgFldSelectLayout.TabOrder(), false),
            (std::vector<std::string>{"cmdOK", "cmdCancel", "dirHL", "drvHL"}));
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

TEST(Layout, TwipsArePixelsAtTheResolution) {
  EXPECT_EQ(TwipsToPixels(4950), 330);
  EXPECT_EQ(TwipsToPixels(255), 17);
  EXPECT_EQ(TwipsToPixels(4950, 144), 495);
  EXPECT_EQ(TwipsToPixels(7), 0);
  EXPECT_EQ(TwipsToPixels(8), 1);
}

}  // namespace
}  // namespace tarq::forms
