#include "ui/main_window.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <algorithm>
#include <vector>

#include "core/version.h"
#include "forms/messages.h"
#include "ui/bind.h"
#include "ui/comment_dialog.h"
#include "ui/folder_dialog.h"
#include "ui/look.h"
#include "ui/twips.h"

namespace tarq::ui {
namespace {

struct Focusable {
  QWidget* widget;
  int tabIndex;
};

QComboBox* MakeList(QWidget* parent, const char* name, TwipsRect r) {
  auto* list = new QComboBox(parent);
  list->setObjectName(QString::fromLatin1(name));
  list->setEditable(false);
  list->setGeometry(r.ToPixels());
  return list;
}

}  // namespace

MainWindow::MainWindow(const std::string& programFolder, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      model_(std::make_unique<forms::FrmMain>(*this, programFolder)) {
  setObjectName(QStringLiteral("frmMain"));
  // The model loads first, while the fonts may still be loading; the
  // controls then bind to what it holds.
  model_->Form_Load();
  SetUpWindow(*this, QString::fromUtf8(core::kProgramTitle), 4950, 5775);
  BuildControls();
}

MainWindow::~MainWindow() {
  delete dialog_;  // a dialog has no owner window
  // The model goes first; its controls must not call back into dying widgets.
  model_.reset();
}

void MainWindow::BuildControls() {
  forms::FrmMain& m = *model_;
  MakeCaptionLabel(this, "Label1", QStringLiteral("TARQ"), 120, 120, 4575, 375,
                   NamedFont(kPGothic, 18, true, true));
  MakeCaptionLabel(this, "Label2", QStringLiteral("Half-Lifeフォルダ"), 120, 600, 1335, 255);
  BindLabel(m.labHL, MakeValueLabel(this, "labHL", 240, 840, 4095, 255));
  cmdFldSelect_ = MakeButton(this, "cmdFldSelect", QStringLiteral("..."), 4440, 840, 255, 255);
  MakeCaptionLabel(this, "Label4", QStringLiteral("Valveフォルダ"), 120, 1200, 1095, 255);
  BindLabel(m.labValve, MakeValueLabel(this, "labValve", 240, 1440, 4455, 255));
  MakeCaptionLabel(this, "Label6", QStringLiteral("Mapsフォルダ"), 120, 1800, 1095, 255);
  BindLabel(m.labMaps, MakeValueLabel(this, "labMaps", 240, 2040, 4455, 255));
  MakeCaptionLabel(this, "Label11", QStringLiteral("MAP"), 120, 2400, 375, 255);
  cmbMapComment_ = MakeList(this, "cmbMapComment", {240, 2640, 4455, 300});
  BindCombo(m.cmbMapComment, cmbMapComment_, true);
  cmbMapComment_->setFont(NamedFont(kGothic, 9));
  cmbMapComment_->installEventFilter(this);
  auto* command3 =
      MakeButton(this, "Command3", QStringLiteral("Add PakFile"), 1920, 3000, 1335, 255);
  command3->setEnabled(false);
  auto* cmdComment =
      MakeButton(this, "cmdComment", QStringLiteral("Comment"), 3360, 3000, 1335, 255);
  MakeCaptionLabel(this, "Label8", QStringLiteral("難易度"), 120, 3480, 615, 255);
  MakeCaptionLabel(this, "Label9", QStringLiteral("メモリ使用量"), 1560, 3480, 975, 255);
  MakeCaptionLabel(this, "Label10", QStringLiteral("コンソール"), 3000, 3480, 855, 255);
  auto* cmbDiff = MakeList(this, "cmbDiff", {240, 3720, 1215, 300});
  BindCombo(m.cmbDiff, cmbDiff);
  auto* cmbMemory = MakeList(this, "cmbMemory", {1680, 3720, 1215, 300});
  BindCombo(m.cmbMemory, cmbMemory);
  auto* cmbConsole = MakeList(this, "cmbConsole", {3120, 3720, 1575, 300});
  BindCombo(m.cmbConsole, cmbConsole);
  MakeCaptionLabel(this, "Label12", QStringLiteral("コマンドライン オプション"), 120, 4320, 1935,
                   255);
  BindLabel(m.labCommand, MakeValueLabel(this, "labCommand", 240, 4560, 4455, 495));
  auto* cmdStart = MakeButton(this, "cmdStart", QStringLiteral("START"), 3600, 5160, 1095, 375);
  auto* cmbMap = MakeList(this, "cmbMap", {2040, 5160, 975, 300});
  BindCombo(m.cmbMap, cmbMap, true);
  cmbMap->setFont(NamedFont(kGothic, 9));
  cmbMap->hide();

  // The Tab key visits the controls in tab-index order; hidden and disabled
  // ones are skipped.
  std::vector<Focusable> order{{cmdFldSelect_, 7}, {cmbMemory, 9},   {cmbConsole, 10},
                               {cmbMap, 14},       {cmdComment, 15}, {command3, 16},
                               {cmdStart, 19},     {cmbDiff, 21},    {cmbMapComment_, 22}};
  std::sort(order.begin(), order.end(),
            [](const Focusable& a, const Focusable& b) { return a.tabIndex < b.tabIndex; });
  for (std::size_t i = 0; i + 1 < order.size(); ++i) {
    setTabOrder(order[i].widget, order[i + 1].widget);
  }

  connect(cmdFldSelect_, &QPushButton::clicked, this, [this] { model_->cmdFldSelect_Click(); });
  connect(cmdComment, &QPushButton::clicked, this, [this] { model_->cmdComment_Click(); });
  connect(cmdStart, &QPushButton::clicked, this, [this] { model_->cmdStart_Click(); });
  m.EnabledObserver = [this] { MirrorEnabled(); };
}

void MainWindow::MirrorEnabled() {
  if (!model_->Enabled()) {
    focusBeforeDialog_ = focusWidget();
    setEnabled(false);
    return;
  }
  setEnabled(true);
  // Back from a dialog, the control that had the focus has it again.
  if (focusBeforeDialog_ != nullptr && focusBeforeDialog_->isEnabled()) {
    focusBeforeDialog_->setFocus(Qt::ActiveWindowFocusReason);
  }
  activateWindow();
}

void MainWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!shownOnce_) {
    shownOnce_ = true;
    cmdFldSelect_->setFocus(Qt::OtherFocusReason);
  }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == cmbMapComment_ && event->type() == QEvent::FocusIn) {
    // The list receives the focus from the user (mouse, Tab); its own popup
    // closing or the window becoming active again does not count.
    const auto reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) {
      model_->cmbMapComment_GotFocus();
    }
  }
  return QWidget::eventFilter(watched, event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (!model_->Enabled()) {  // a dialog is up
    event->ignore();
    return;
  }
  if (!unloaded_) {
    unloaded_ = true;
    model_->Form_Unload();
  }
  event->accept();
}

void MainWindow::ShowCommentDialog(forms::DlgComment& dialog) {
  CloseDialog();
  dialog_ = new CommentDialog(dialog);
  dialog_->show();
}

void MainWindow::ShowFolderDialog(forms::DlgFldSelect& dialog) {
  CloseDialog();
  dialog_ = new FolderDialog(dialog);
  dialog_->show();
}

void MainWindow::CloseDialog() {
  if (dialog_ == nullptr) return;
  dialog_->Detach();
  dialog_->hide();
  dialog_->deleteLater();
  dialog_ = nullptr;
}

void MainWindow::MsgBox(std::string_view text) {
  QString message = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  message.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  QMessageBox box(QMessageBox::Warning, QString::fromUtf8(forms::kAppTitle.data()), message,
                  QMessageBox::Ok,
                  dialog_ != nullptr ? static_cast<QWidget*>(dialog_.data()) : this);
  box.exec();
}

}  // namespace tarq::ui
