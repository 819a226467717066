#pragma once

#include "forms/dlg_fld_select.h"
#include "ui/dialog_window.h"

class QListWidget;
class QPushButton;

namespace tarq::ui {

// "フォルダ選択": a humble view of forms::DlgFldSelect.
class FolderDialog final : public DialogWindow {
  Q_OBJECT

 public:
  explicit FolderDialog(forms::DlgFldSelect& model);
  ~FolderDialog() override;
  void Detach() override;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void ShowFolders();

  forms::DlgFldSelect& model_;
  QListWidget* dirHL_ = nullptr;
  QPushButton* cmdOK_ = nullptr;
};

}  // namespace tarq::ui
