#include "forms/dlg_fld_select.h"

#include "core/game_start.h"
#include "core/settings_file.h"
#include "forms/frm_main.h"
#include "forms/messages.h"
#include "platform/fs.h"
#include "platform/process.h"

namespace tarq::forms {

DlgFldSelect::DlgFldSelect(FormHost& host, FrmMain& main, std::vector<platform::Drive> drives)
    : DialogForm(host, main), drives_(std::move(drives)) {
  for (const platform::Drive& d : drives_) drvHL.AddItem(d.label);
  const std::string current = platform::CurrentFolder();
  drive_ = platform::DriveIndexOf(current, drives_);
  if (!dirHL.SetPath(current) && drive_ >= 0) {
    // The current folder went away meanwhile: start at its drive.
    dirHL.SetPath(drives_[static_cast<std::size_t>(drive_)].root);
  }
  drvHL.SetListIndex(drive_);
  drvHL.Click = [this] {
    if (drvHL.ListIndex() != drive_) drvHL_Change();
  };
}

void DlgFldSelect::drvHL_Change() {
  drive_ = drvHL.ListIndex();
  if (drive_ < 0) return;
  const auto folder = platform::DriveCurrentFolder(drives_[static_cast<std::size_t>(drive_)]);
  // The drive list keeps the chosen drive; the folder list stays where it was.
  if (!folder || !dirHL.SetPath(*folder)) host_.MsgBox(kMsgDeviceUnavailable);
}

void DlgFldSelect::cmdOK_Click() {
  const std::string folder = dirHL.Path();
  if (!platform::CanOpenForReading(platform::JoinPath(folder, core::kGameExecutable))) {
    host_.MsgBox(kMsgNoGameHere);
    return;
  }
  // The game folder is the first line of the settings file: refuse a name
  // that the file could not carry, saying so.
  if (!core::CanStoreGameFolder(folder)) {
    host_.MsgBox(kMsgFolderNameNotStorable);
    return;
  }
  main_.SetEnabled(true);
  main_.labHL.SetCaption(folder);  // the whole folder cascade runs here
  Unload();
}

void DlgFldSelect::cmdCancel_Click() {
  EnableMainAndUnload();
}

}  // namespace tarq::forms
