#include "replace_question.h"

#include <QFileInfo>

namespace zc {

Question ReplaceQuestion(const QString& path) {
  Question question;
  question.text = QFileInfo(path).fileName() + QStringLiteral(" の内容で置き換えますか？");
  question.title = QStringLiteral("Confirm");
  return question;
}

}  // namespace zc
