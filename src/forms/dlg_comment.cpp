#include "forms/dlg_comment.h"

#include "forms/messages.h"

namespace tarq::forms {

DlgComment::DlgComment(FormHost& host, std::string commentPath, std::function<void()> unloaded)
    : DialogForm(kDlgCommentLayout, host, std::move(unloaded)), store_(std::move(commentPath)) {
  AddLayoutRows(*this);
  cmbMark.SetListIndex(0);
}

void DlgComment::Form_Activate() {
  const catalogue::FindResult found = store_.FindComment(labFile.Caption());
  if (found.status != catalogue::StoreStatus::kOk) {
    host_.MsgBox(kMsgUnknownError);
    return;
  }
  if (!found.found) {
    cmbMark.SetListIndex(0);
    txtComment.SetText({});
    return;
  }
  int row = -1;
  for (int i = 0; i < cmbMark.ListCount(); ++i) {
    if (cmbMark.List(i) == found.sMark) row = i;
  }
  if (row < 0) {  // a mark the list does not offer
    host_.MsgBox(kMsgUnknownError);
    return;
  }
  cmbMark.SetListIndex(row);
  txtComment.SetText(found.sComment);
}

void DlgComment::cmdOK_Click() {
  const catalogue::StoreStatus status =
      store_.SaveComment(labFile.Caption(), cmbMark.Text(), txtComment.Text());
  if (Stored(status)) Unload();
}

void DlgComment::cmdDelete_Click() {
  const catalogue::StoreStatus status = store_.DeleteComment(labFile.Caption());
  if (Stored(status)) Unload();
}

bool DlgComment::Stored(catalogue::StoreStatus status) {
  if (status == catalogue::StoreStatus::kOk) return true;
  host_.MsgBox(status == catalogue::StoreStatus::kBusy ? kMsgDataBusy : kMsgCannotSave);
  return false;
}

void DlgComment::cmdCansel_Click() {
  Unload();
}

}  // namespace tarq::forms
