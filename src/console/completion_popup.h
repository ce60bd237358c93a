// The popup of name completion under the input line's caret: one line per
// name with its hint, description or value. Enter or Tab (or a click)
// chooses the highlighted name, Escape closes the popup; other keys go on
// to the line being edited, and the list follows the word as it grows.
#pragma once

#include <QTreeWidget>
#include <functional>
#include <vector>

#include "name_completion.h"

class QLineEdit;

namespace zc {

class TCompletionPopup : public QTreeWidget {
  Q_OBJECT

 public:
  // The names that start with a prefix.
  using Entries = std::function<std::vector<CompletionEntry>(const QString& prefix)>;

  // `editor` is the line the popup completes; keys the popup does not take
  // are handed to it.
  TCompletionPopup(QLineEdit* editor, Entries entries, QWidget* parent = nullptr);

  // Opens under the caret with the names completing the word before it.
  // Does nothing when no name does.
  void OpenAtCaret();

  // The names shown, in order.
  QStringList Names() const;

 signals:
  // The user chose `name` to replace the `length` characters at `start`.
  void Chosen(int start, int length, const QString& name);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // Refills the list for the word now before the caret; false when nothing
  // matches.
  bool Fill();
  void ChooseCurrent();

  QLineEdit* editor_;
  Entries entries_;
  WordBeforeCaret word_;
};

}  // namespace zc
