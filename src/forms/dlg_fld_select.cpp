#include "forms/dlg_fld_select.h"

#include "core/game_start.h"
#include "core/settings_file.h"
#include "forms/messages.h"
#include "platform/process.h"

namespace tarq::forms {

DlgFldSelect::DlgFldSelect(FormHost& host, std::vector<platform::Drive> drives,
                           std::function<void(const std::string& folder)> chosen,
                           std::function<void()> unloaded)
    : DialogForm(kDlgFldSelectLayout, host, std::move(unloaded)),
      drives_(std::move(drives)),
      chosen_(std::move(chosen)) {
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
  dirHL.Change = [this] { dirHL_Change(); };
}

void DlgFldSelect::drvHL_Change() {
  drive_ = drvHL.ListIndex();
  if (drive_ < 0) return;
  const auto folder = platform::DriveCurrentFolder(drives_[static_cast<std::size_t>(drive_)]);
  // The drive list keeps the chosen drive; the folder list stays where it was.
  if (!folder || !dirHL.SetPath(*folder)) host_.MsgBox(kMsgDeviceUnavailable);
}

void DlgFldSelect::dirHL_Change() {
  // Where drives nest (on POSIX systems all lie under the root, a Wine
  // drive under home) the folder list can walk from one into another; the
  // drive list follows, so that picking a drive takes the folder list there.
  const int drive = platform::DriveIndexOf(dirHL.Path(), drives_);
  if (drive < 0 || drive == drive_) return;
  drive_ = drive;
  drvHL.SetListIndex(drive);  // its Click sees no change of drive
}

void DlgFldSelect::cmdOK_Click() {
  const std::string folder = dirHL.Path();
  if (!core::IsGameFolder(folder)) {
    host_.MsgBox(kMsgNoGameHere);
    return;
  }
  // The game folder is the first line of the settings file: refuse a name
  // that the file could not carry, saying so.
  if (!core::CanStoreGameFolder(folder)) {
    host_.MsgBox(kMsgFolderNameNotStorable);
    return;
  }
  if (chosen_) chosen_(folder);  // the whole folder cascade runs here
  Unload();
}

void DlgFldSelect::cmdCancel_Click() {
  Unload();
}

}  // namespace tarq::forms
