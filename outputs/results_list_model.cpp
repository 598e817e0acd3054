#include "outputs/results_list_model.h"

#include <algorithm>

namespace sho {

int ResultsListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : shown_rows_;
}

QVariant ResultsListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= list_.Count()) return {};
  if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
  return QString::fromLatin1(list_.EntryText(index.row()));
}

void ResultsListModel::Publish() {
  const int rows = list_.Count();
  const int kept = std::min(rows, shown_rows_);
  if (rows > shown_rows_) {
    beginInsertRows({}, shown_rows_, rows - 1);
    shown_rows_ = rows;
    endInsertRows();
  } else if (rows < shown_rows_) {
    beginRemoveRows({}, rows, shown_rows_ - 1);
    shown_rows_ = rows;
    endRemoveRows();
  }
  if (kept > 0) emit dataChanged(index(0), index(kept - 1), {Qt::DisplayRole, Qt::EditRole});
}

}  // namespace sho
