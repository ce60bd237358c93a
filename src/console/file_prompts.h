// The boxes the console's import and export commands ask and report with.
#pragma once

#include <QString>

class QWidget;

namespace zc {

// "<file name> の内容で置き換えますか？" for the file at `path`.
QString ReplaceQuestion(const QString& path);

// A Yes/No question; true for Yes.
bool AskYesNo(QWidget* parent, const QString& question);

// A file that could not be read or written.
void ShowFileError(QWidget* parent, const QString& message);

}  // namespace zc
