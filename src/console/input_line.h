// The input line (ComboBox1): an editable combo box whose drop-down list is
// the input history, newest entry on top. It knows no commands of its own:
// every line goes to the engine. Enter, with or without Shift, evaluates;
// Up and Down walk the history; Ctrl+Space asks for name completion.
#pragma once

#include <QComboBox>

#include "history_walk.h"

namespace zc {

class TInputLine : public QComboBox {
  Q_OBJECT

 public:
  explicit TInputLine(QWidget* parent = nullptr);

  QString Text() const;
  int CaretPosition() const;

  // Changes the text without telling anyone: programmatic changes are not
  // echoed unless the caller asks for it.
  void SetTextSilently(const QString& text, int caretPosition);

  // The history: Enter puts a line on top, quick execution at the bottom.
  // The typed text and the caret stay as they are.
  void AddHistoryOnTop(const QString& line);
  void AddHistoryAtBottom(const QString& line);
  QStringList History() const;
  // Replaces the whole history (newest first), as a restored session does.
  void SetHistory(const QStringList& lines);

  // One step through the history, as Up and Down do: the recalled line
  // replaces the text with the caret at its end, and is reported like
  // typing. False at either end of the walk.
  bool StepHistory(HistoryWalk::Direction direction);

  // The drop-down list opens at the top, where the newest entry is.
  void showPopup() override;

 signals:
  // Enter (either Enter key); `shiftHeld` keeps the line for editing.
  void EnterPressed(bool shiftHeld);
  // A key that produces a character, other than Enter, was pressed; it comes
  // before the change it may cause.
  void CharacterKeyPressed();
  // The user changed the text: typing, pasting, choosing a history entry or
  // walking the history.
  void TextChangedByUser();
  // Any key pressed on the line, before it takes effect.
  void KeyPressed();
  // Ctrl+Space: the user wants the names that complete the word before the
  // caret. Nothing else ever asks for them.
  void CompletionRequested();

 protected:
  // Keys reach the combo box itself while it holds the focus, and the line
  // edit directly when that one does; both end here.
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // True when the key has been dealt with here.
  bool HandleKey(QKeyEvent* event);
  void InsertHistory(int index, const QString& line);

  HistoryWalk walk_;
};

}  // namespace zc
