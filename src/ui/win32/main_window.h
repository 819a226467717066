#pragma once

#include <memory>
#include <string>
#include <vector>

#include "forms/form_host.h"
#include "forms/frm_main.h"
#include "ui/win32/dialog_window.h"
#include "ui/win32/form_window.h"

namespace tarq::ui::win32 {

// The main window, titled "TARQ" and the version: a humble view of
// forms::FrmMain, built from its layout table. It mirrors the model's
// controls and forwards the user's events; it holds no rules.
//
//   close box, end of the Windows session --> the model's Form_Unload
//   (tarqcfg.dat), once; the window goes and the message loop ends
//   model disabled (a dialog is up) --> EnableWindow(FALSE)
class MainWindow final : public FormWindow, public forms::FormHost {
 public:
  // programFolder: where the data files live. Runs Form_Load before returning.
  explicit MainWindow(const std::string& programFolder);
  ~MainWindow() override;

  forms::FrmMain& Model() { return *model_; }
  void Show(int showCommand);
  // The dialog window on screen, if any.
  const DialogWindow* ShownDialog() const { return dialog_.get(); }

  void MsgBox(std::string_view text) override;
  void ShowCommentDialog(forms::DlgComment& dialog) override;
  void ShowFolderDialog(forms::DlgFldSelect& dialog) override;
  void CloseDialog() override;

 protected:
  void Place(int dpi, const RECT* suggested) override;
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void ShowDialog(std::unique_ptr<DialogWindow> dialog);
  void MirrorEnabled();
  void Unload();

  std::unique_ptr<forms::FrmMain> model_;
  std::unique_ptr<DialogWindow> dialog_;
  // Closed dialogs, deleted once the messages that closed them are done.
  std::vector<std::unique_ptr<DialogWindow>> closed_;
  bool unloaded_ = false;
};

}  // namespace tarq::ui::win32
