#include "completion_popup.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScreen>
#include <QScrollBar>

namespace zc {

namespace {

constexpr int kVisibleLines = 10;

}  // namespace

TCompletionPopup::TCompletionPopup(QLineEdit* editor, Entries entries, QWidget* parent)
    : QTreeWidget(parent), editor_(editor), entries_(std::move(entries)) {
  setWindowFlags(Qt::Popup);
  setObjectName(QStringLiteral("CompletionPopup"));
  setColumnCount(2);
  header()->hide();
  setRootIsDecorated(false);
  setUniformRowHeights(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setAllColumnsShowFocus(true);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  header()->setStretchLastSection(true);
  connect(this, &QTreeWidget::itemClicked, this, [this] { ChooseCurrent(); });
}

QStringList TCompletionPopup::Names() const {
  QStringList names;
  for (int i = 0; i < topLevelItemCount(); ++i) names << topLevelItem(i)->text(0);
  return names;
}

bool TCompletionPopup::Fill() {
  word_ = FindWordBeforeCaret(editor_->text(), editor_->cursorPosition());
  clear();
  const std::vector<CompletionEntry> entries = entries_(word_.word);
  for (const CompletionEntry& entry : entries) {
    auto* item = new QTreeWidgetItem(this, {entry.name, entry.description});
    item->setToolTip(1, entry.description);
  }
  if (entries.empty()) return false;
  setCurrentItem(topLevelItem(0));
  return true;
}

void TCompletionPopup::OpenAtCaret() {
  if (!Fill()) return;
  const QFontMetrics metrics(font());
  const int lines = std::min(topLevelItemCount(), kVisibleLines);
  const int rowHeight = std::max(sizeHintForRow(0), metrics.height());
  const int width = std::max(420, editor_->width() / 2);
  resize(width, rowHeight * lines + 2 * frameWidth());
  const QRect caret = editor_->inputMethodQuery(Qt::ImCursorRectangle).toRect();
  QPoint at = editor_->mapToGlobal(QPoint(caret.left(), editor_->height()));
  // Above the line when there is no room below it.
  if (const QScreen* screen = editor_->screen()) {
    const QRect room = screen->availableGeometry();
    if (at.y() + height() > room.bottom()) at.setY(editor_->mapToGlobal(QPoint(0, 0)).y() - height());
    at.setX(std::clamp(at.x(), room.left(), std::max(room.left(), room.right() - width)));
  }
  move(at);
  show();
  setFocus();
}

void TCompletionPopup::ChooseCurrent() {
  QTreeWidgetItem* item = currentItem();
  const WordBeforeCaret word = word_;
  hide();
  if (item != nullptr) emit Chosen(word.start, static_cast<int>(word.word.size()), item->text(0));
}

void TCompletionPopup::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Tab:
      ChooseCurrent();
      return;
    case Qt::Key_Escape:
      hide();
      return;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
      QTreeWidget::keyPressEvent(event);
      return;
    default:
      break;
  }
  // Typing goes on in the line; the list follows the word, and closes when
  // nothing completes it any more or the key was not part of a word.
  const QString text = event->text();
  const bool partOfWord = event->key() == Qt::Key_Backspace ||
                          (text.size() == 1 && (text[0].isLetterOrNumber() || text[0] == u'_'));
  QKeyEvent forwarded(event->type(), event->key(), event->modifiers(), text, event->isAutoRepeat(),
                      static_cast<ushort>(event->count()));
  QApplication::sendEvent(editor_, &forwarded);
  if (!partOfWord || !Fill()) hide();
}

}  // namespace zc
