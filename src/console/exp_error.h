// The error explanation dialog ("エラー解説"): a drop-down list of the
// engine's errors read from errors.txt, with the chosen error's code and
// explanation. Created once at start, shown modally; it keeps its selection
// between showings.
//
// errors.txt: one section per error, named "title=code" (the title is what
// the list shows, the code goes into the code label); the section's lines
// are the explanation.
#pragma once

#include <QDialog>
#include <QString>

#include "ini_file.h"

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace zc {

class TExpError : public QDialog {
  Q_OBJECT

 public:
  // Reads `errorsPath` (AppDir + "errors.txt"); a missing or unreadable file
  // leaves the list empty, the dialog still opens.
  explicit TExpError(const QString& errorsPath, QWidget* parent = nullptr);
  ~TExpError() override;

  // Why errors.txt exists but could not be read; empty when it was read or
  // is missing. The main window reports it at start-up.
  QString LoadError() const { return loadError_; }

  QComboBox* ErrorList() const { return ComboBox1; }
  QString CodeText() const;
  QString ExplanationText() const;

  // Chooses the entry whose code is `code`; false when errors.txt has none.
  bool SelectCode(const QString& code);

  // Error `code` explained in one line for the status bar: the entry's
  // title and the first line of its text. Empty when errors.txt has no
  // entry for it.
  QString Summary(const QString& code) const;

 private:
  void ComboBox1Change(int index);
  // The index of the first entry whose code is `code`, or -1.
  int IndexOfCode(const QString& code) const;

  IniFile errors_;
  QString loadError_;
  QComboBox* ComboBox1;
  QLabel* CodeLabel;
  QPlainTextEdit* Memo1;
  QPushButton* Button1;
};

}  // namespace zc
