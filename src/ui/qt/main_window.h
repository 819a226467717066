#pragma once

#include <QPointer>
#include <QWidget>
#include <memory>
#include <optional>

#include "forms/form_host.h"
#include "forms/frm_main.h"
#include "ui/qt/dialog_window.h"
#include "ui/qt/form_widgets.h"

namespace tarq::ui::qt {

// The main window, titled "TARQ" and the version: a humble view of
// forms::FrmMain, built from its layout table. It mirrors the model's
// controls and forwards the user's events; it holds no rules.
class MainWindow final : public QWidget, public forms::FormHost {
  Q_OBJECT

 public:
  // programFolder: where the data files live. Runs Form_Load before returning.
  explicit MainWindow(const std::string& programFolder, QWidget* parent = nullptr);
  ~MainWindow() override;

  forms::FrmMain& Model() { return *model_; }

  void MsgBox(std::string_view text) override;
  void ShowCommentDialog(forms::DlgComment& dialog) override;
  void ShowFolderDialog(forms::DlgFldSelect& dialog) override;
  void CloseDialog() override;

  // The dialog window on screen, if any.
  QWidget* ShownDialog() const { return dialog_; }

  // Closes the window as its close box does, for a session that ends the
  // launcher: a message box up is closed and an open dialog unloaded first,
  // then the window's unload writes the settings.
  void CloseForShutdown();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void ShowDialog(DialogWindow* dialog);
  void MirrorEnabled();

  std::unique_ptr<forms::FrmMain> model_;
  std::optional<FormWidgets> widgets_;
  QPointer<DialogWindow> dialog_;
  QPointer<QWidget> focusBeforeDialog_;
  bool unloaded_ = false;
  bool shownOnce_ = false;
};

}  // namespace tarq::ui::qt
