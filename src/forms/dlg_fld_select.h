#pragma once
// The game folder dialog's form model.
//
//   opens on the process's current drive and folder
//   drvHL_Change --> dirHL = the drive's folder (or "device unavailable")
//   dirHL_Change --> drvHL = the drive that holds dirHL.Path (no drvHL_Change)
//   cmdOK_Click  --> <dirHL.Path>\hl.exe opens, or Steam's copy has hl_linux?
//                    (or "no hl.exe")
//                --> the settings file can carry the name? (or "name not storable")
//                --> the main window's chosen(dirHL.Path) (labHL, the folder
//                    cascade) --> unload
//   cmdCancel_Click, close box --> unload
// Every unload tells the main window, which takes input again.

#include <functional>
#include <string>
#include <vector>

#include "forms/controls.h"
#include "forms/dialog_form.h"
#include "forms/folder_list.h"
#include "forms/layout.h"
#include "platform/drives.h"

namespace tarq::forms {

class DlgFldSelect final : public DialogForm {
 public:
  // `chosen` takes the folder that OK accepts, before the dialog unloads.
  DlgFldSelect(FormHost& host, std::vector<platform::Drive> drives,
               std::function<void(const std::string& folder)> chosen,
               std::function<void()> unloaded);

  FolderList dirHL;
  ComboList drvHL;  // one row per drive; a pick of another drive raises drvHL_Change

  void drvHL_Change();
  void dirHL_Change();
  void cmdOK_Click();
  void cmdCancel_Click();

 private:
  std::vector<platform::Drive> drives_;
  std::function<void(const std::string& folder)> chosen_;
  int drive_ = -1;  // the drive drvHL shows, before a pick the one it showed
};

}  // namespace tarq::forms
