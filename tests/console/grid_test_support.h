// Opening a cell of the name=value grid for typing, as a double click would.
#pragma once

#include <QLineEdit>

#include "value_list_editor.h"

namespace zc {

// Makes (row, column) current and opens its editor; null when none opened.
inline QLineEdit* OpenCellEditor(ValueListEditor& grid, int row, int column) {
  const QModelIndex cell = grid.model()->index(row, column);
  grid.setCurrentIndex(cell);
  grid.edit(cell);
  return qobject_cast<QLineEdit*>(grid.indexWidget(cell));
}

}  // namespace zc
