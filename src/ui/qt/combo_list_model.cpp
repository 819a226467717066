#include "ui/qt/combo_list_model.h"

namespace tarq::ui::qt {

ComboListModel::ComboListModel(const forms::ComboList& list, QObject* parent)
    : QAbstractListModel(parent), list_(list) {}

int ComboListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : list_.ListCount();
}

QVariant ComboListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= list_.ListCount()) return {};
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
    case Qt::AccessibleTextRole:
      return QString::fromStdString(list_.List(index.row()));
    default:
      return {};
  }
}

}  // namespace tarq::ui::qt
