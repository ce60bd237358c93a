#include "input_line.h"

#include <algorithm>
#include <limits>

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>

namespace zc {

TInputLine::TInputLine(QWidget* parent) : QComboBox(parent) {
  setObjectName(QStringLiteral("ComboBox1"));
  setEditable(true);
  setInsertPolicy(QComboBox::NoInsert);  // the history is ours to keep
  setDuplicatesEnabled(true);
  setCompleter(nullptr);                 // no auto-completion
  setMaxCount(std::numeric_limits<int>::max());
  // The line takes the window's width; the history's longest entry must not
  // set it (and a thousand restored entries need not be measured).
  setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  setMinimumContentsLength(8);

  QFont font(QStringLiteral("Courier"));
  font.setStyleHint(QFont::Monospace);
  font.setPixelSize(20);
  setFont(font);

  lineEdit()->installEventFilter(this);
  connect(lineEdit(), &QLineEdit::textEdited, this, [this] { emit TextChangedByUser(); });
  // Choosing an entry with the mouse or the arrow keys.
  connect(this, &QComboBox::activated, this, [this] { emit TextChangedByUser(); });
}

QString TInputLine::Text() const { return lineEdit()->text(); }

int TInputLine::CaretPosition() const { return lineEdit()->cursorPosition(); }

void TInputLine::SetTextSilently(const QString& text, int caretPosition) {
  const QSignalBlocker blockCombo(this);
  const QSignalBlocker blockEdit(lineEdit());
  lineEdit()->setText(text);
  lineEdit()->deselect();
  lineEdit()->setCursorPosition(std::clamp(caretPosition, 0, static_cast<int>(text.size())));
}

void TInputLine::AddHistoryOnTop(const QString& line) { InsertHistory(0, line); }

void TInputLine::AddHistoryAtBottom(const QString& line) { InsertHistory(count(), line); }

QStringList TInputLine::History() const {
  QStringList lines;
  for (int i = 0; i < count(); ++i) lines << itemText(i);
  return lines;
}

void TInputLine::SetHistory(const QStringList& lines) {
  const QString text = Text();
  const int caret = CaretPosition();
  {
    const QSignalBlocker blocker(this);
    clear();
    addItems(lines);
  }
  SetTextSilently(text, caret);
  walk_.Restart();
}

void TInputLine::InsertHistory(int index, const QString& line) {
  // Inserting into an empty list makes the new entry current, and that would
  // overwrite what is being typed.
  const QString text = Text();
  const int caret = CaretPosition();
  {
    const QSignalBlocker blocker(this);
    insertItem(index, line);
  }
  if (Text() != text || CaretPosition() != caret) SetTextSilently(text, caret);
  walk_.Restart();
}

bool TInputLine::StepHistory(HistoryWalk::Direction direction) {
  const std::optional<QString> recalled = walk_.Step(direction, History(), Text());
  if (!recalled) return false;
  SetTextSilently(*recalled, static_cast<int>(recalled->size()));
  emit TextChangedByUser();
  return true;
}

void TInputLine::showPopup() {
  QComboBox::showPopup();
  // The combo box would open at the entry it last showed, which after a few
  // Enters is the oldest one.
  if (count() > 0) {
    view()->setCurrentIndex(model()->index(0, modelColumn()));
    view()->scrollToTop();
  }
}

bool TInputLine::HandleKey(QKeyEvent* event) {
  emit KeyPressed();
  const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    emit EnterPressed(modifiers.testFlag(Qt::ShiftModifier));
    return true;
  }
  if ((event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) && modifiers == Qt::NoModifier) {
    StepHistory(event->key() == Qt::Key_Up ? HistoryWalk::Direction::Older : HistoryWalk::Direction::Newer);
    return true;
  }
  if (event->key() == Qt::Key_Space && modifiers == Qt::ControlModifier) {
    emit CompletionRequested();
    return true;
  }
  // Delete produces no character of its own, like the arrow keys.
  if (!event->text().isEmpty() && event->key() != Qt::Key_Delete) emit CharacterKeyPressed();
  return false;
}

void TInputLine::keyPressEvent(QKeyEvent* event) {
  // Keys the line edit saw first (through the filter) and then passed on
  // come here a second time and are not counted again.
  if (QApplication::focusWidget() != lineEdit()) {
    if (HandleKey(event)) {
      event->accept();
      return;
    }
  }
  QComboBox::keyPressEvent(event);
}

bool TInputLine::eventFilter(QObject* watched, QEvent* event) {
  if (watched == lineEdit() && event->type() == QEvent::KeyPress &&
      HandleKey(static_cast<QKeyEvent*>(event))) {
    return true;
  }
  return QComboBox::eventFilter(watched, event);
}

}  // namespace zc
