#pragma once
// The comment dialog's form model: the mark and comment of one map.
//
//   FrmMain.cmdComment_Click --> labFile = map file name --> shown
//   Form_Activate --> FindComment(labFile) --> cmbMark, txtComment
//   cmdOK_Click     --> SaveComment(labFile, cmbMark.Text, txtComment.Text) --> unload
//   cmdDelete_Click --> DeleteComment(labFile) --> unload
//   cmdCansel_Click, close box --> unload
// Every unload tells the main window, which takes input again.

#include <functional>
#include <string>
#include <string_view>

#include "catalogue/comment_store.h"
#include "forms/controls.h"
#include "forms/dialog_form.h"
#include "forms/layout.h"

namespace tarq::forms {

class DlgComment final : public DialogForm {
 public:
  // Loads the dialog for the comment store at commentPath: its creation
  // selects row 0 of the mark list.
  DlgComment(FormHost& host, std::string commentPath, std::function<void()> unloaded);

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

  catalogue::CommentStore store_;
};

}  // namespace tarq::forms
