#pragma once

#include <QPointer>
#include <QWidget>
#include <memory>

#include "forms/form_host.h"
#include "forms/frm_main.h"
#include "ui/dialog_window.h"

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace tarq::ui {

// The main window, titled "TARQ" and the version: a humble view of forms::FrmMain. It mirrors
// the model's controls and forwards the user's events; it holds no rules.
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

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void BuildControls();
  void MirrorEnabled();

  std::unique_ptr<forms::FrmMain> model_;
  QPointer<DialogWindow> dialog_;
  QPointer<QWidget> focusBeforeDialog_;
  QComboBox* cmbMapComment_ = nullptr;
  QPushButton* cmdFldSelect_ = nullptr;
  bool unloaded_ = false;
  bool shownOnce_ = false;
};

}  // namespace tarq::ui
