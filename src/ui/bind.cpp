#include "ui/bind.h"

#include <QListView>
#include <QSignalBlocker>

#include "ui/combo_list_model.h"

namespace tarq::ui {

void BindLabel(forms::Label& model, QLabel* view, bool autoSize) {
  auto update = [&model, view, autoSize] {
    view->setText(QString::fromStdString(model.Caption()));
    if (autoSize) view->adjustSize();
  };
  update();
  model.Observer = update;
}

void BindTextBox(forms::TextBox& model, QLineEdit* view) {
  auto update = [&model, view] {
    const QString text = QString::fromStdString(model.Text());
    if (view->text() != text) view->setText(text);
  };
  update();
  model.Observer = update;
  QObject::connect(view, &QLineEdit::textEdited, view,
                   [&model](const QString& text) { model.SetText(text.toStdString()); });
}

void Unbind(forms::Label& model) {
  model.Observer = nullptr;
}
void Unbind(forms::ComboList& model) {
  model.Observer = {};
}
void Unbind(forms::TextBox& model) {
  model.Observer = nullptr;
}

void BindCombo(forms::ComboList& model, QComboBox* view, bool longList) {
  auto* rows = new ComboListModel(model, view);
  if (longList) {
    // Asking for the popup's list makes it; short lists make theirs when
    // they first drop down.
    if (auto* popup = qobject_cast<QListView*>(view->view())) popup->setUniformItemSizes(true);
  }
  view->setModel(rows);
  view->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  auto syncIndex = [&model, view] {
    const QSignalBlocker block(view);
    view->setCurrentIndex(model.ListIndex());
  };
  syncIndex();
  model.Observer.rowsAboutToChange = [rows] { rows->BeginReset(); };
  model.Observer.rowsChanged = [rows, syncIndex] {
    rows->EndReset();
    syncIndex();
  };
  model.Observer.listIndexChanged = syncIndex;
  QObject::connect(view, &QComboBox::activated, view,
                   [&model](int row) { model.SetListIndex(row); });
}

}  // namespace tarq::ui
