// A one-line edit whose text is right-aligned from the start; otherwise a
// plain edit.
#pragma once

#include <QLineEdit>

namespace zc {

class TRightEdit : public QLineEdit {
  Q_OBJECT

 public:
  explicit TRightEdit(QWidget* parent = nullptr);
};

}  // namespace zc
