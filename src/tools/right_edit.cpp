#include "right_edit.h"

namespace zc {

TRightEdit::TRightEdit(QWidget* parent) : QLineEdit(parent) {
  setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

}  // namespace zc
