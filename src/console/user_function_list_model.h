// The manager's list: one line per user function, "%s(%s)" of its name and
// parameters, drawn from UserFunctionList on demand so it never holds a copy.
#pragma once

#include <QAbstractListModel>

#include "user_function.h"

namespace zc {

class UserFunctionListModel : public QAbstractListModel {
  Q_OBJECT

 public:
  UserFunctionListModel(const UserFunctionList& list, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

  // The list changed its length or order: every line is drawn again.
  void Refresh();
  // A record changed in place: its line is drawn again.
  void RecordChanged(int row);

 private:
  const UserFunctionList& list_;
};

}  // namespace zc
