#pragma once

#include "forms/dlg_comment.h"
#include "ui/dialog_window.h"

class QPushButton;

namespace tarq::ui {

// "コメント": a humble view of forms::DlgComment.
class CommentDialog final : public DialogWindow {
  Q_OBJECT

 public:
  explicit CommentDialog(forms::DlgComment& model);
  ~CommentDialog() override;
  void Detach() override;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  forms::DlgComment& model_;
  QPushButton* cmdOK_ = nullptr;
  bool activated_ = false;
};

}  // namespace tarq::ui
