#include "forms/frm_main.h"

#include "catalogue/comment_store.h"
#include "catalogue/map_catalogue.h"
#include "catalogue/map_folder.h"
#include "core/command_line.h"
#include "core/game_start.h"
#include "core/settings_file.h"
#include "forms/layout.h"
#include "forms/map_list_source.h"
#include "forms/messages.h"
#include "platform/fs.h"

namespace tarq::forms {
namespace {

core::ListSelection Selection(const ComboList& list) {
  core::ListSelection s;
  s.listIndex = list.ListIndex();
  if (s.listIndex >= 0) {
    s.text = list.List(s.listIndex);
    s.itemData = list.ItemData(s.listIndex);
  }
  return s;
}

}  // namespace

FrmMain::FrmMain(FormHost& host, std::string dataFolder)
    : Form(kFrmMainLayout), host_(host), dataFolder_(std::move(dataFolder)) {
  ShowMapCatalogue(std::make_shared<const catalogue::MapCatalogue>());  // row 0 alone
  AddLayoutRows(*this);

  labHL.Change = [this] { labHL_Change(); };
  labMaps.Change = [this] { labMaps_Change(); };
  cmbMapComment.Click = [this] { cmbMapComment_Click(); };
  cmbDiff.Click = [this] { cmbDiff_Click(); };
  cmbMemory.Click = [this] { cmbMemory_Click(); };
  cmbConsole.Click = [this] { cmbConsole_Click(); };
}

FrmMain::~FrmMain() = default;

bool FrmMain::CloseBox() {
  if (!Enabled()) return false;  // a dialog is up
  if (!unloaded_) {
    unloaded_ = true;
    Form_Unload();
  }
  return true;
}

std::string FrmMain::SettingsPath() const {
  return platform::JoinPath(sStartPath, core::kSettingsFileName);
}

std::string FrmMain::CommentPath() const {
  return platform::JoinPath(sStartPath, catalogue::kCommentFileName);
}

void FrmMain::Form_Load() {
  sStartPath = dataFolder_;
  cmbMap.SetListIndex(0);
  cmbDiff.SetListIndex(0);
  cmbMemory.SetListIndex(0);
  cmbConsole.SetListIndex(0);

  // From here on a failure ends the start-up quietly, keeping what was set.
  const core::SettingsRead stored = core::ReadSettingsFile(SettingsPath());
  if (!stored.gameFolder) return;
  labHL.SetCaption(*stored.gameFolder);  // runs the folder cascade first
  ComboList* const options[] = {&cmbDiff, &cmbMemory, &cmbConsole};
  for (std::size_t k = 0; k < stored.listIndexes.size(); ++k) {
    options[k]->SetListIndex(stored.listIndexes[k]);
  }
}

void FrmMain::Form_Unload() {
  core::SettingsValues values;
  values.gameFolder = labHL.Caption();
  values.difficulty = cmbDiff.ListIndex();
  values.heapSize = cmbMemory.ListIndex();
  values.console = cmbConsole.ListIndex();
  // The process is closing: a settings file that cannot be written keeps
  // its previous content, whole.
  core::WriteSettingsFile(SettingsPath(), values);
}

void FrmMain::labHL_Change() {
  const std::string valve = platform::JoinPath(labHL.Caption(), "valve");
  labValve.SetCaption(valve);
  labMaps.SetCaption(platform::JoinPath(valve, "maps"));
}

void FrmMain::labMaps_Change() {
  RebuildMapList();
}

void FrmMain::cmbMapComment_GotFocus() {
  RebuildMapList();
}

void FrmMain::RebuildMapList() {
  auto shown = catalogue::LoadMapCatalogue(labMaps.Caption(), CommentPath());
  flbSelect.SetListing(labMaps.Caption(), std::string(catalogue::kMapFilePattern), shown->names);

  // Rows of an earlier, longer build go: no row may name a map that is not
  // in the folder now.
  ShowMapCatalogue(std::move(shown));
  cmbMap.SetListIndex(0);
  cmbMapComment.SetListIndex(0);
}

void FrmMain::ShowMapCatalogue(std::shared_ptr<const catalogue::MapCatalogue> shown) {
  using Column = MapListSource::Column;
  cmbMap.ReplaceRows(std::make_shared<MapListSource>(shown, Column::kMapFiles));
  cmbMapComment.ReplaceRows(std::make_shared<MapListSource>(shown, Column::kDisplayRows));
}

void FrmMain::cmbMapComment_Click() {
  cmbMap.SetListIndex(cmbMapComment.ListIndex());
  TARQ_commandline();
}

void FrmMain::cmbDiff_Click() {
  TARQ_commandline();
}
void FrmMain::cmbMemory_Click() {
  TARQ_commandline();
}
void FrmMain::cmbConsole_Click() {
  TARQ_commandline();
}

void FrmMain::TARQ_commandline() {
  core::OptionSelections s;
  s.map = Selection(cmbMap);
  s.difficulty = Selection(cmbDiff);
  s.heapSize = Selection(cmbMemory);
  s.console = Selection(cmbConsole);
  labCommand.SetCaption(core::ComposeOptionText(s));
}

void FrmMain::cmdFldSelect_Click() {
  if (dlgComment() != nullptr || dlgFldSelect() != nullptr) return;
  // Nothing of the game folder is handed over: the dialog opens on the
  // process's current drive and folder.
  dlgFldSelect_ = std::make_unique<DlgFldSelect>(
      host_, ListDrives(), [this](const std::string& folder) { GameFolderChosen(folder); },
      [this] { DialogUnloaded(); });
  host_.ShowDialog(*dlgFldSelect_);
  SetEnabled(false);
}

void FrmMain::cmdComment_Click() {
  if (dlgComment() != nullptr || dlgFldSelect() != nullptr) return;
  const int row = cmbMap.ListIndex();
  if (row <= 0) {
    host_.MsgBox(kMsgNoCommentHere);
    return;
  }
  dlgComment_ = std::make_unique<DlgComment>(host_, CommentPath(), [this] { DialogUnloaded(); });
  dlgComment_->labFile.SetCaption(cmbMap.List(row));
  host_.ShowDialog(*dlgComment_);
  SetEnabled(false);
}

void FrmMain::GameFolderChosen(const std::string& folder) {
  // This window takes input again before the folder cascade runs, as the
  // dialog then unloads.
  SetEnabled(true);
  labHL.SetCaption(folder);
}

void FrmMain::DialogUnloaded() {
  SetEnabled(true);
}

void FrmMain::cmdStart_Click() {
  if (!core::StartGame(labHL.Caption(), labCommand.Caption())) host_.MsgBox(kMsgCannotStartGame);
}

}  // namespace tarq::forms
