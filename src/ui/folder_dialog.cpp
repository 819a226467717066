#include "ui/folder_dialog.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QSignalBlocker>
#include <QStyle>

#include "ui/bind.h"
#include "ui/dialog_window.h"
#include "ui/look.h"

namespace tarq::ui {

FolderDialog::FolderDialog(forms::DlgFldSelect& model)
    : DialogWindow(nullptr, DialogWindowFlags()), model_(model) {
  setObjectName(QStringLiteral("dlgFldSelect"));
  SetUpWindow(*this, QStringLiteral("フォルダ選択"), 2775, 3615);
  PlaceDialog(*this, 2775, 3615);

  MakeCaptionLabel(this, "Label2", QStringLiteral("Half-Lifeフォルダ"), 120, 120, 1545, 180,
                   NamedFont(kPGothic, 9, true));
  dirHL_ = new QListWidget(this);
  dirHL_->setObjectName(QStringLiteral("dirHL"));
  dirHL_->setGeometry(TwipsRect{240, 360, 2295, 2190}.ToPixels());
  auto* drvHL = new QComboBox(this);
  drvHL->setObjectName(QStringLiteral("drvHL"));
  drvHL->setGeometry(TwipsRect{240, 2640, 2295, 300}.ToPixels());
  BindCombo(model_.drvHL, drvHL);
  cmdOK_ = MakeButton(this, "cmdOK", QStringLiteral("OK"), 240, 3120, 1095, 255);
  auto* cmdCancel = MakeButton(this, "cmdCancel", QStringLiteral("ｷｬﾝｾﾙ"), 1440, 3120, 1095, 255);

  setTabOrder(cmdOK_, cmdCancel);
  setTabOrder(cmdCancel, dirHL_);
  setTabOrder(dirHL_, drvHL);

  ShowFolders();
  model_.dirHL.Observer = [this] { ShowFolders(); };
  // A single click only highlights; a double click (or Enter) opens.
  Forward(dirHL_, &QListWidget::currentRowChanged,
          [this](int row) { model_.dirHL.SetListIndex(row); });
  Forward(dirHL_, &QListWidget::itemActivated,
          [this](QListWidgetItem* item) { model_.dirHL.Open(dirHL_->row(item)); });
  Forward(cmdOK_, &QPushButton::clicked, [this] { model_.cmdOK_Click(); });
  Forward(cmdCancel, &QPushButton::clicked, [this] { model_.cmdCancel_Click(); });
}

FolderDialog::~FolderDialog() {
  Detach();
}

void FolderDialog::Detach() {
  if (detached_) return;
  detached_ = true;
  model_.dirHL.Observer = nullptr;
  Unbind(model_.drvHL);
}

void FolderDialog::ShowFolders() {
  const QSignalBlocker block(dirHL_);
  const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
  const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
  const auto& entries = model_.dirHL.Entries();
  if (dirHL_->count() != static_cast<int>(entries.size()) ||
      dirHL_->property("path").toString() != QString::fromStdString(model_.dirHL.Path())) {
    dirHL_->clear();
    for (const auto& entry : entries) {
      auto* item = new QListWidgetItem(
          entry.open ? open : closed,
          QString(entry.depth * 2, QLatin1Char(' ')) + QString::fromStdString(entry.name));
      item->setData(Qt::AccessibleTextRole, QString::fromStdString(entry.path));
      dirHL_->addItem(item);
    }
    dirHL_->setProperty("path", QString::fromStdString(model_.dirHL.Path()));
  }
  dirHL_->setCurrentRow(model_.dirHL.ListIndex());
}

void FolderDialog::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  activateWindow();
  cmdOK_->setFocus(Qt::OtherFocusReason);
}

void FolderDialog::closeEvent(QCloseEvent* event) {
  if (!detached_) model_.Unload();
  event->accept();
}

}  // namespace tarq::ui
