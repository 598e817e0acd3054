#pragma once

#include <QAbstractListModel>

#include "outputs/results_list.h"

namespace sho {

// Shows a ResultsList in a view such as the combo box's drop-down. A run changes the list without
// telling anyone, so that nothing is redrawn while it runs; Publish() then tells the views once.
class ResultsListModel : public QAbstractListModel {
 public:
  explicit ResultsListModel(const ResultsList& list, QObject* parent = nullptr)
      : QAbstractListModel(parent), list_(list) {}

  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

  // Brings the views up to date with the list: rows added or removed, and every row's text.
  void Publish();

 private:
  const ResultsList& list_;
  int shown_rows_ = 0;  // the row count the views know of
};

}  // namespace sho
