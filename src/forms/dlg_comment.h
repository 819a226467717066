#pragma once
// The comment dialog's form model: the mark and comment of one map.
//
//   FrmMain.cmdComment_Click --> labFile = map file name --> shown
//   Form_Activate --> FindComment(labFile) --> cmbMark, txtComment
//   cmdOK_Click     --> SaveComment(labFile, cmbMark.Text, txtComment.Text) --> unload
//   cmdDelete_Click --> DeleteComment(labFile) --> unload
//   cmdCansel_Click, close box --> unload
// Every unload enables the main window again.

#include <string_view>

#include "catalogue/comment_store.h"
#include "forms/controls.h"
#include "forms/dialog_form.h"
#include "forms/layout.h"

namespace tarq::forms {

class DlgComment final : public DialogForm {
 public:
  // Loads the dialog: its creation selects row 0 of the mark list.
  DlgComment(FormHost& host, FrmMain& main);

  Label labFile;
  ComboList cmbMark;
  TextBox txtComment;

  void Form_Activate() override;
  void cmdOK_Click();
  void cmdCansel_Click();
  void cmdDelete_Click();

 private:
  // True on success; otherwise shows why the save or erase failed.
  bool Stored(catalogue::StoreStatus status);
};

}  // namespace tarq::forms
