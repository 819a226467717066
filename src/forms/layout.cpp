#include "forms/layout.h"

#include <algorithm>
#include <array>

#include "core/version.h"
#include "forms/frm_main.h"

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
// One control a line.
// clang-format off
constexpr ControlLayout kFrmMainControls[] = {
    {"Label1", nullptr, K::kCaptionLabel, 120, 120, 4575, 375, 0, "TARQ", {}, {kPGothic, 18, true, true}},
    {"Label2", nullptr, K::kCaptionLabel, 120, 600, 1335, 255, 1, "Half-Lifeフォルダ", {}, kWindowFont},
    {"labHL", Bind<&FrmMain::labHL>, K::kValueLabel, 240, 840, 4095, 255, 2, "", {}, kWindowFont},
    {"cmdFldSelect", Bind<Click<&FrmMain::cmdFldSelect_Click>>, K::kButton, 4440, 840, 255, 255, 7, "...", {}, kWindowFont, {}, "Half-Lifeフォルダの参照"},
    {"Label4", nullptr, K::kCaptionLabel, 120, 1200, 1095, 255, 3, "Valveフォルダ", {}, kWindowFont},
    {"labValve", Bind<&FrmMain::labValve>, K::kValueLabel, 240, 1440, 4455, 255, 4, "", {}, kWindowFont},
    {"Label6", nullptr, K::kCaptionLabel, 120, 1800, 1095, 255, 5, "Mapsフォルダ", {}, kWindowFont},
    {"labMaps", Bind<&FrmMain::labMaps>, K::kValueLabel, 240, 2040, 4455, 255, 6, "", {}, kWindowFont},
    {"Label11", nullptr, K::kCaptionLabel, 120, 2400, 375, 255, 13, "MAP", {}, kWindowFont},
    {"cmbMapComment", Bind<&FrmMain::cmbMapComment, GotFocus<&FrmMain::cmbMapComment_GotFocus>>, K::kDropDownList, 240, 2640, 4455, 300, 22, "", {}, kMapListFont, "Label11"},
    {"Command3", nullptr, K::kButton, 1920, 3000, 1335, 255, 16, "Add PakFile", {}, kWindowFont, {}, {}, true, false},
    {"cmdComment", Bind<Click<&FrmMain::cmdComment_Click>>, K::kButton, 3360, 3000, 1335, 255, 15, "Comment", {}, kWindowFont},
    {"Label8", nullptr, K::kCaptionLabel, 120, 3480, 615, 255, 8, "難易度", {}, kWindowFont},
    {"Label9", nullptr, K::kCaptionLabel, 1560, 3480, 975, 255, 11, "メモリ使用量", {}, kWindowFont},
    {"Label10", nullptr, K::kCaptionLabel, 3000, 3480, 855, 255, 12, "コンソール", {}, kWindowFont},
    {"cmbDiff", Bind<&FrmMain::cmbDiff>, K::kDropDownList, 240, 3720, 1215, 300, 21, "", core::kDifficultyRows, kWindowFont, "Label8"},
    {"cmbMemory", Bind<&FrmMain::cmbMemory>, K::kDropDownList, 1680, 3720, 1215, 300, 9, "", core::kHeapSizeRows, kWindowFont, "Label9"},
    {"cmbConsole", Bind<&FrmMain::cmbConsole>, K::kDropDownList, 3120, 3720, 1575, 300, 10, "", core::kConsoleRows, kWindowFont, "Label10"},
    {"Label12", nullptr, K::kCaptionLabel, 120, 4320, 1935, 255, 17, "コマンドライン オプション", {}, kWindowFont},
    {"labCommand", Bind<&FrmMain::labCommand>, K::kValueLabel, 240, 4560, 4455, 495, 18, "", {}, kWindowFont},
    {"cmdStart", Bind<Click<&FrmMain::cmdStart_Click>>, K::kButton, 3600, 5160, 1095, 375, 19, "START", {}, kWindowFont},
    {"cmbMap", Bind<&FrmMain::cmbMap>, K::kDropDownList, 2040, 5160, 975, 300, 14, "", {}, kMapListFont, {}, {}, false},
    {"flbSelect", nullptr, K::kFileList, 240, 5160, 1695, 270, 20, "", {}, kWindowFont, {}, {}, false},
};

constexpr ControlLayout kDlgCommentControls[] = {
    {"Label3", nullptr, K::kFixedCaptionLabel, 120, 120, 855, 255, 6, "ファイル名", {}, kWindowFont},
    {"labFile", Bind<&DlgComment::labFile>, K::kCaptionLabel, 240, 360, 90, 180, 7, "", {}, kHeadingFont},
    {"Label1", nullptr, K::kCaptionLabel, 120, 720, 495, 180, 2, "マーク", {}, kWindowFont},
    {"cmbMark", Bind<&DlgComment::cmbMark>, K::kDropDownList, 240, 960, 615, 300, 3, "", kMarkRows, kWindowFont, "Label1"},
    {"Label2", nullptr, K::kCaptionLabel, 120, 1440, 555, 180, 4, "コメント", {}, kWindowFont},
    {"txtComment", Bind<&DlgComment::txtComment>, K::kTextBox, 240, 1680, 2055, 270, 5, "", {}, kWindowFont, "Label2"},
    {"cmdOK", Bind<Click<&DlgComment::cmdOK_Click>>, K::kButton, 240, 2160, 975, 375, 0, "OK", {}, kWindowFont},
    // "Cansel" is the control's stored name.
    {"cmdCansel", Bind<Click<&DlgComment::cmdCansel_Click>>, K::kButton, 1320, 2160, 975, 375, 1, "ｷｬﾝｾﾙ", {}, kWindowFont},
    {"cmdDelete", Bind<Click<&DlgComment::cmdDelete_Click>>, K::kButton, 240, 2640, 2055, 375, 8, "コメントの消去", {}, kWindowFont},
};

constexpr ControlLayout kDlgFldSelectControls[] = {
    {"Label2", nullptr, K::kCaptionLabel, 120, 120, 1545, 180, 2, "Half-Lifeフォルダ", {}, kHeadingFont},
    {"dirHL", Bind<&DlgFldSelect::dirHL>, K::kFolderList, 240, 360, 2295, 2190, 3, "", {}, kWindowFont, "Label2"},
    {"drvHL", Bind<&DlgFldSelect::drvHL>, K::kDriveList, 240, 2640, 2295, 300, 4, "", {}, kWindowFont, {}, "ドライブ"},
    {"cmdOK", Bind<Click<&DlgFldSelect::cmdOK_Click>>, K::kButton, 240, 3120, 1095, 255, 0, "OK", {}, kWindowFont},
    {"cmdCancel", Bind<Click<&DlgFldSelect::cmdCancel_Click>>, K::kButton, 1440, 3120, 1095, 255, 1, "ｷｬﾝｾﾙ", {}, kWindowFont},
};
// clang-format on

}  // namespace

const WindowLayout kFrmMainLayout{"frmMain", core::kProgramTitle, WindowKind::kMain, 4950,
                                  5775,      kFrmMainControls};
const WindowLayout kDlgCommentLayout{"dlgComment", "コメント", WindowKind::kToolDialog,
                                     2535,         3255,       kDlgCommentControls};
const WindowLayout kDlgFldSelectLayout{"dlgFldSelect", "フォルダ選択", WindowKind::kToolDialog,
                                       2775,           3615,           kDlgFldSelectControls};

std::vector<const ControlLayout*> WindowLayout::TabOrder() const {
  std::vector<const ControlLayout*> order;
  for (const ControlLayout& c : controls) {
    if (c.visible && !IsLabel(c.kind)) order.push_back(&c);
  }
  std::sort(order.begin(), order.end(), [](const ControlLayout* a, const ControlLayout* b) {
    return a->tabIndex < b->tabIndex;
  });
  return order;
}

const ControlLayout* WindowLayout::FirstFocus() const {
  const auto order = TabOrder();
  return order.empty() ? nullptr : order.front();
}

const ControlLayout* WindowLayout::CaptionOf(const ControlLayout& control) const {
  if (control.labelledBy.empty()) return nullptr;
  for (const ControlLayout& c : controls) {
    if (c.name == control.labelledBy) return &c;
  }
  return nullptr;
}

ScreenRect DialogFrameOnMonitor(const ScreenRect& monitor, const ScreenRect& workArea,
                                const ScreenRect& frame, int offsetX, int offsetY) {
  // Along one axis: the frame's start, moved into [low, high) as far as it
  // fits, its start kept at or after `low`.
  auto into = [](int start, int length, int low, int high) {
    return std::max(low, std::min(start, high - length));
  };
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  const int left = into(monitor.left + offsetX + frame.left, width, workArea.left, workArea.right);
  const int top = into(monitor.top + offsetY + frame.top, height, workArea.top, workArea.bottom);
  return {left, top, left + width, top + height};
}

void AddLayoutRows(Form& form) {
  for (const ControlLayout& c : form.Layout().controls) {
    if (c.rows.empty() || c.binder == nullptr) continue;
    ComboList* list = c.binder(form).list;
    for (const core::OptionRow& row : c.rows) list->AddItem(std::string(row.text), row.itemData);
  }
}

}  // namespace tarq::forms
