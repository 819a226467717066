#pragma once
// The game folder dialog's form model.
//
//   opens on the process's current drive and folder
//   drvHL_Change --> dirHL = the drive's folder (or "device unavailable")
//   cmdOK_Click  --> <dirHL.Path>\hl.exe opens? --> enable main, labHL = dirHL.Path
//                    (the folder cascade runs) --> unload
//   cmdCancel_Click, close box --> unload
// Every unload enables the main window again.

#include <vector>

#include "forms/controls.h"
#include "forms/folder_list.h"
#include "forms/form_host.h"
#include "platform/drives.h"

namespace tarq::forms {

class FrmMain;

class DlgFldSelect final {
 public:
  DlgFldSelect(FormHost& host, FrmMain& main, std::vector<platform::Drive> drives);
  DlgFldSelect(const DlgFldSelect&) = delete;
  DlgFldSelect& operator=(const DlgFldSelect&) = delete;

  FolderList dirHL;
  ComboList drvHL;  // one row per drive; a pick of another drive raises drvHL_Change

  void drvHL_Change();
  void cmdOK_Click();
  void cmdCancel_Click();
  void Form_Unload();

  void Unload();
  bool Loaded() const { return loaded_; }

 private:
  FormHost& host_;
  FrmMain& main_;
  std::vector<platform::Drive> drives_;
  int drive_ = -1;  // the drive drvHL showed before the pick
  bool loaded_ = true;
};

}  // namespace tarq::forms
