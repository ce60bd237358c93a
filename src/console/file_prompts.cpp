#include "file_prompts.h"

#include <QFileInfo>
#include <QMessageBox>

namespace zc {

QString ReplaceQuestion(const QString& path) {
  return QFileInfo(path).fileName() + QStringLiteral(" の内容で置き換えますか？");
}

bool AskYesNo(QWidget* parent, const QString& question) {
  QMessageBox box(QMessageBox::Information, QStringLiteral("Confirm"), question,
                  QMessageBox::Yes | QMessageBox::No, parent);
  return box.exec() == QMessageBox::Yes;
}

void ShowFileError(QWidget* parent, const QString& message) {
  QMessageBox::critical(parent, QStringLiteral("エラー"), message);
}

}  // namespace zc
