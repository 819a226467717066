#include "forms/layout.h"

#include <algorithm>
#include <array>

#include "core/version.h"
#include "forms/controls.h"

namespace tarq::forms {
namespace {

using K = ControlKind;

// The marks a comment can carry; row 0, the ideographic space, is no mark.
constexpr std::array<core::OptionRow, 10> kMarkRows{{{"　", 0},
                                                     {"◎", 0},
                                                     {"○", 0},
                                                     {"△", 0},
                                                     {"×", 0},
                                                     {"！", 0},
                                                     {"？", 0},
                                                     {"☆", 0},
                                                     {"＊", 0},
                                                     {"λ", 0}}};

constexpr FontSpec kWindowFont{};
constexpr FontSpec kMapListFont{kGothic, 9};
constexpr FontSpec kHeadingFont{kPGothic, 9, true};

// The map lists' rows come from the map catalogue; the tables name none.
const ControlLayout kFrmMainControls[] = {
    {"Label1", K::kCaptionLabel, 120, 120, 4575, 375, 0, "TARQ", {}, {kPGothic, 18, true, true}},
    {"Label2", K::kCaptionLabel, 120, 600, 1335, 255, 1, "Half-Lifeフォルダ", {}, kWindowFont},
    {"labHL", K::kValueLabel, 240, 840, 4095, 255, 2, "", {}, kWindowFont},
    {"cmdFldSelect", K::kButton, 4440, 840, 255, 255, 7, "...", {}, kWindowFont},
    {"Label4", K::kCaptionLabel, 120, 1200, 1095, 255, 3, "Valveフォルダ", {}, kWindowFont},
    {"labValve", K::kValueLabel, 240, 1440, 4455, 255, 4, "", {}, kWindowFont},
    {"Label6", K::kCaptionLabel, 120, 1800, 1095, 255, 5, "Mapsフォルダ", {}, kWindowFont},
    {"labMaps", K::kValueLabel, 240, 2040, 4455, 255, 6, "", {}, kWindowFont},
    {"Label11", K::kCaptionLabel, 120, 2400, 375, 255, 13, "MAP", {}, kWindowFont},
    {"cmbMapComment", K::kDropDownList, 240, 2640, 4455, 300, 22, "", {}, kMapListFont},
    {"Command3",
     K::kButton,
     1920,
     3000,
     1335,
     255,
     16,
     "Add PakFile",
     {},
     kWindowFont,
     true,
     false},
    {"cmdComment", K::kButton, 3360, 3000, 1335, 255, 15, "Comment", {}, kWindowFont},
    {"Label8", K::kCaptionLabel, 120, 3480, 615, 255, 8, "難易度", {}, kWindowFont},
    {"Label9", K::kCaptionLabel, 1560, 3480, 975, 255, 11, "メモリ使用量", {}, kWindowFont},
    {"Label10", K::kCaptionLabel, 3000, 3480, 855, 255, 12, "コンソール", {}, kWindowFont},
    {"cmbDiff", K::kDropDownList, 240, 3720, 1215, 300, 21, "", core::kDifficultyRows, kWindowFont},
    {"cmbMemory", K::kDropDownList, 1680, 3720, 1215, 300, 9, "", core::kHeapSizeRows, kWindowFont},
    {"cmbConsole", K::kDropDownList, 3120, 3720, 1575, 300, 10, "", core::kConsoleRows,
     kWindowFont},
    {"Label12",
     K::kCaptionLabel,
     120,
     4320,
     1935,
     255,
     17,
     "コマンドライン オプション",
     {},
     kWindowFont},
    {"labCommand", K::kValueLabel, 240, 4560, 4455, 495, 18, "", {}, kWindowFont},
    {"cmdStart", K::kButton, 3600, 5160, 1095, 375, 19, "START", {}, kWindowFont},
    {"cmbMap", K::kDropDownList, 2040, 5160, 975, 300, 14, "", {}, kMapListFont, false},
    {"flbSelect", K::kFileList, 240, 5160, 1695, 270, 20, "", {}, kWindowFont, false},
};

const ControlLayout kDlgCommentControls[] = {
    {"Label3", K::kFixedCaptionLabel, 120, 120, 855, 255, 6, "ファイル名", {}, kWindowFont},
    {"labFile", K::kCaptionLabel, 240, 360, 90, 180, 7, "", {}, kHeadingFont},
    {"Label1", K::kCaptionLabel, 120, 720, 495, 180, 2, "マーク", {}, kWindowFont},
    {"cmbMark", K::kDropDownList, 240, 960, 615, 300, 3, "", kMarkRows, kWindowFont},
    {"Label2", K::kCaptionLabel, 120, 1440, 555, 180, 4, "コメント", {}, kWindowFont},
    {"txtComment", K::kTextBox, 240, 1680, 2055, 270, 5, "", {}, kWindowFont},
    {"cmdOK", K::kButton, 240, 2160, 975, 375, 0, "OK", {}, kWindowFont},
    // "Cansel" is the control's stored name.
    {"cmdCansel", K::kButton, 1320, 2160, 975, 375, 1, "ｷｬﾝｾﾙ", {}, kWindowFont},
    {"cmdDelete", K::kButton, 240, 2640, 2055, 375, 8, "コメントの消去", {}, kWindowFont},
};

const ControlLayout kDlgFldSelectControls[] = {
    {"Label2", K::kCaptionLabel, 120, 120, 1545, 180, 2, "Half-Lifeフォルダ", {}, kHeadingFont},
    {"dirHL", K::kFolderList, 240, 360, 2295, 2190, 3, "", {}, kWindowFont},
    {"drvHL", K::kDriveList, 240, 2640, 2295, 300, 4, "", {}, kWindowFont},
    {"cmdOK", K::kButton, 240, 3120, 1095, 255, 0, "OK", {}, kWindowFont},
    {"cmdCancel", K::kButton, 1440, 3120, 1095, 255, 1, "ｷｬﾝｾﾙ", {}, kWindowFont},
};

}  // namespace

const WindowLayout kFrmMainLayout{"frmMain", core::kProgramTitle, WindowKind::kMain, 4950,
                                  5775,      "cmdFldSelect",      kFrmMainControls};
const WindowLayout kDlgCommentLayout{"dlgComment", "コメント", WindowKind::kToolDialog, 2535,
                                     3255,         "cmdOK",    kDlgCommentControls};
const WindowLayout kDlgFldSelectLayout{
    "dlgFldSelect", "フォルダ選択", WindowKind::kToolDialog, 2775,
    3615,           "cmdOK",        kDlgFldSelectControls};

const ControlLayout* WindowLayout::Find(std::string_view control) const {
  const auto it = std::find_if(controls.begin(), controls.end(),
                               [control](const ControlLayout& c) { return c.name == control; });
  return it != controls.end() ? &*it : nullptr;
}

std::vector<const ControlLayout*> WindowLayout::TabOrder() const {
  std::vector<const ControlLayout*> order;
  for (const ControlLayout& c : controls) {
    const bool label =
        c.kind == K::kCaptionLabel || c.kind == K::kFixedCaptionLabel || c.kind == K::kValueLabel;
    if (c.visible && !label) order.push_back(&c);
  }
  std::sort(order.begin(), order.end(), [](const ControlLayout* a, const ControlLayout* b) {
    return a->tabIndex < b->tabIndex;
  });
  return order;
}

void AddLayoutRows(ComboList& list, const WindowLayout& layout, std::string_view name) {
  for (const core::OptionRow& row : layout.Find(name)->rows) {
    list.AddItem(std::string(row.text), row.itemData);
  }
}

}  // namespace tarq::forms
