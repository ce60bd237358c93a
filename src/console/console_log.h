// The console log (RichEdit1): a read-only plain-text record of everything
// typed and printed. Its last part, from EchoStart to the end, mirrors the
// input line while it is being typed.
//
// Output is written through a cursor of its own at the end of the log, so a
// selection the user made for copying is never overwritten by a result.
// Appending edits only the last blocks, so a long log is never laid out again
// as a whole.
#pragma once

#include <QPlainTextEdit>

class QAction;
class QMenu;

namespace zc {

class TConsoleLog : public QPlainTextEdit {
  Q_OBJECT

 public:
  explicit TConsoleLog(QWidget* parent = nullptr);

  // Appends `text` followed by a line end, then shows the end of the log.
  // CR LF, LF and CR in `text` all end a line.
  void PrintText(const QString& text);

  // Replaces everything from `echoStart` to the end with `text`, and shows
  // the end: what is being typed is always in view.
  void ReplaceFrom(int echoStart, const QString& text);

  // Where the next output goes: the end of the log.
  int CaretPosition() const;

  // Empties the log.
  void ClearLog();

  // The whole log with CR LF line ends, as it is saved.
  QString TextWithCrLf() const;

  // The text of line `line` (0 is the first).
  QString LineText(int line) const;

  QMenu* PopupMenu() const { return popup_; }
  QAction* SelectAllAction() const { return selectAllAction_; }
  QAction* CopyAction() const { return copyAction_; }

 signals:
  // A double-click on a line of the log; `text` is the whole line.
  void LineDoubleClicked(const QString& text);

 protected:
  void contextMenuEvent(QContextMenuEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  void ShowEnd();
  // Copy is offered only while something is selected.
  void UpdatePopupMenu();

  QMenu* popup_;
  QAction* selectAllAction_;
  QAction* copyAction_;
};

}  // namespace zc
