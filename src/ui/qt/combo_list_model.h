#pragma once

#include <QAbstractListModel>

#include "forms/controls.h"

namespace tarq::ui::qt {

// Shows the rows of a form model's list to a QComboBox. A rebuild of any
// size reaches the view as one model reset, and row texts are converted
// only when the view asks for them.
class ComboListModel final : public QAbstractListModel {
  Q_OBJECT

 public:
  ComboListModel(const forms::ComboList& list, QObject* parent);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;

  void BeginReset() { beginResetModel(); }
  void EndReset() { endResetModel(); }
  const forms::ComboList& List() const { return list_; }

 private:
  const forms::ComboList& list_;
};

}  // namespace tarq::ui::qt
