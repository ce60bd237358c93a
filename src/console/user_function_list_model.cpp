#include "user_function_list_model.h"

namespace zc {

UserFunctionListModel::UserFunctionListModel(const UserFunctionList& list, QObject* parent)
    : QAbstractListModel(parent), list_(list) {}

int UserFunctionListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(list_.size());
}

QVariant UserFunctionListModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount()) return {};
  const TUserFunction& record = *list_[static_cast<std::size_t>(index.row())];
  return QString::fromUtf8(record.aName) + QLatin1Char('(') + QString::fromUtf8(record.aParams) +
         QLatin1Char(')');
}

void UserFunctionListModel::Refresh() {
  beginResetModel();
  endResetModel();
}

void UserFunctionListModel::RecordChanged(int row) {
  if (row < 0 || row >= rowCount()) return;
  const QModelIndex at = index(row);
  emit dataChanged(at, at, {Qt::DisplayRole});
}

}  // namespace zc
