#pragma once
// The main window's form model: every control under its name, and the event
// procedures. The state of the launcher lives here.
//
//   Form_Load --> labHL.Caption --Change--> labValve, labMaps.Caption
//                                               |
//                                            Change
//                                               v
//   cmbMapComment --GotFocus--------------> RebuildMapList
//        ^                                      |  ListIndex = 0
//        +------------- Click <-----------------+
//        |
//        v  cmbMap.ListIndex = cmbMapComment.ListIndex
//   cmbDiff / cmbMemory / cmbConsole --Click--> TARQ_commandline --> labCommand
//
//   cmdStart --Click--> StartGame(labHL, labCommand)
//   Form_Unload --> tarqcfg.dat

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "catalogue/map_catalogue.h"
#include "forms/controls.h"
#include "forms/dlg_comment.h"
#include "forms/dlg_fld_select.h"
#include "forms/file_list.h"
#include "forms/form.h"
#include "forms/form_host.h"
#include "forms/layout.h"

namespace tarq::forms {

class FrmMain final : public Form {
 public:
  // dataFolder: where tarqcfg.dat and tarqcom.dat live, which start-up
  // makes sStartPath.
  FrmMain(FormHost& host, std::string dataFolder);
  ~FrmMain();
  FrmMain(const FrmMain&) = delete;
  FrmMain& operator=(const FrmMain&) = delete;

  Label labHL;
  Label labValve;
  Label labMaps;
  Label labCommand;
  ComboList cmbMapComment;
  ComboList cmbMap;  // hidden: the map file names behind cmbMapComment's rows
  ComboList cmbDiff;
  ComboList cmbMemory;
  ComboList cmbConsole;
  FileList flbSelect;  // hidden
  std::string sStartPath;

  // Unloads the window (Form_Unload, once) unless a dialog is up.
  bool CloseBox() override;

  // Events, as the window forwards them.
  void Form_Load();
  void Form_Unload();
  void cmbMapComment_GotFocus();
  void cmdFldSelect_Click();
  void cmdComment_Click();
  void cmdStart_Click();

  // Procedures run by the events.
  void labHL_Change();
  void labMaps_Change();
  void cmbMapComment_Click();
  void cmbDiff_Click();
  void cmbMemory_Click();
  void cmbConsole_Click();
  void TARQ_commandline();
  void RebuildMapList();

  std::string SettingsPath() const;
  std::string CommentPath() const;

  // The loaded dialog, if any: at most one exists at a time.
  DlgComment* dlgComment() { return Loaded(dlgComment_) ? dlgComment_.get() : nullptr; }
  DlgFldSelect* dlgFldSelect() { return Loaded(dlgFldSelect_) ? dlgFldSelect_.get() : nullptr; }

  // Where the folder dialog's drive list comes from; tests replace it.
  std::function<std::vector<platform::Drive>()> ListDrives = platform::ListDrives;

 private:
  // Both map lists show the rows of `shown`.
  void ShowMapCatalogue(std::shared_ptr<const catalogue::MapCatalogue> shown);
  // What the dialogs hand back: the folder dialog's accepted folder, and
  // either's unload.
  void GameFolderChosen(const std::string& folder);
  void DialogUnloaded();
  template <typename Dialog>
  static bool Loaded(const std::unique_ptr<Dialog>& d) {
    return d != nullptr && d->Loaded();
  }

  FormHost& host_;
  std::string dataFolder_;
  std::unique_ptr<DlgComment> dlgComment_;
  std::unique_ptr<DlgFldSelect> dlgFldSelect_;
  bool unloaded_ = false;
};

}  // namespace tarq::forms
