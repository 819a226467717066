#include "ui/comment_dialog.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

#include "ui/bind.h"
#include "ui/dialog_window.h"
#include "ui/look.h"

namespace tarq::ui {

CommentDialog::CommentDialog(forms::DlgComment& model)
    : DialogWindow(nullptr, DialogWindowFlags()), model_(model) {
  setObjectName(QStringLiteral("dlgComment"));
  setAttribute(Qt::WA_DeleteOnClose, false);
  SetUpWindow(*this, QStringLiteral("コメント"), 2535, 3255);
  PlaceDialog(*this, 2535, 3255);

  // A label of fixed size: it keeps its table size.
  auto* label3 = MakeCaptionLabel(this, "Label3", QStringLiteral("ファイル名"), 120, 120, 855, 255);
  label3->setGeometry(TwipsRect{120, 120, 855, 255}.ToPixels());
  auto* labFile =
      MakeCaptionLabel(this, "labFile", QString(), 240, 360, 90, 180, NamedFont(kPGothic, 9, true));
  BindLabel(model_.labFile, labFile, true);
  MakeCaptionLabel(this, "Label1", QStringLiteral("マーク"), 120, 720, 495, 180);
  auto* cmbMark = new QComboBox(this);
  cmbMark->setObjectName(QStringLiteral("cmbMark"));
  cmbMark->setGeometry(TwipsRect{240, 960, 615, 300}.ToPixels());
  BindCombo(model_.cmbMark, cmbMark);
  MakeCaptionLabel(this, "Label2", QStringLiteral("コメント"), 120, 1440, 555, 180);
  auto* txtComment = new QLineEdit(this);
  txtComment->setObjectName(QStringLiteral("txtComment"));
  txtComment->setGeometry(TwipsRect{240, 1680, 2055, 270}.ToPixels());
  BindTextBox(model_.txtComment, txtComment);
  cmdOK_ = MakeButton(this, "cmdOK", QStringLiteral("OK"), 240, 2160, 975, 375);
  auto* cmdCansel = MakeButton(this, "cmdCansel", QStringLiteral("ｷｬﾝｾﾙ"), 1320, 2160, 975, 375);
  auto* cmdDelete =
      MakeButton(this, "cmdDelete", QStringLiteral("コメントの消去"), 240, 2640, 2055, 375);

  setTabOrder(cmdOK_, cmdCansel);
  setTabOrder(cmdCansel, cmbMark);
  setTabOrder(cmbMark, txtComment);
  setTabOrder(txtComment, cmdDelete);

  Forward(cmdOK_, &QPushButton::clicked, [this] { model_.cmdOK_Click(); });
  Forward(cmdCansel, &QPushButton::clicked, [this] { model_.cmdCansel_Click(); });
  Forward(cmdDelete, &QPushButton::clicked, [this] { model_.cmdDelete_Click(); });
}

CommentDialog::~CommentDialog() {
  Detach();
}

void CommentDialog::Detach() {
  if (detached_) return;
  detached_ = true;
  Unbind(model_.labFile);
  Unbind(model_.cmbMark);
  Unbind(model_.txtComment);
}

void CommentDialog::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  cmdOK_->setFocus(Qt::OtherFocusReason);
  if (!activated_) {
    activated_ = true;
    activateWindow();
    // The fill runs once the dialog is up, as it becomes the active window.
    QTimer::singleShot(0, this, [this] {
      if (!detached_ && model_.Loaded()) model_.Form_Activate();
    });
  }
}

void CommentDialog::closeEvent(QCloseEvent* event) {
  if (!detached_) model_.Unload();  // every way of closing enables the main window again
  event->accept();
}

}  // namespace tarq::ui
