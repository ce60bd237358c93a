#include "console_log.h"

#include <algorithm>

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace zc {

namespace {

// The log keeps lines as text blocks; every line end typed or printed
// becomes one block boundary.
QString NormaliseLineEnds(QString text) {
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return text;
}

}  // namespace

TConsoleLog::TConsoleLog(QWidget* parent) : QPlainTextEdit(parent) {
  setObjectName(QStringLiteral("RichEdit1"));
  setReadOnly(true);
  setUndoRedoEnabled(false);  // a log of thousands of lines needs no undo stack
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  setContextMenuPolicy(Qt::DefaultContextMenu);

  QPalette colours = palette();
  colours.setColor(QPalette::Base, Qt::black);
  colours.setColor(QPalette::Text, QColor(192, 192, 192));  // silver
  colours.setColor(QPalette::Highlight, QColor(192, 192, 192));
  colours.setColor(QPalette::HighlightedText, Qt::black);
  setPalette(colours);

  QFont font(QStringLiteral("Courier New"));
  font.setStyleHint(QFont::Monospace);
  font.setPixelSize(16);
  setFont(font);

  popup_ = new QMenu(this);
  selectAllAction_ = popup_->addAction(QStringLiteral("すべて選択(&A)"));
  copyAction_ = popup_->addAction(QStringLiteral("コピー(&C)"));
  connect(selectAllAction_, &QAction::triggered, this, &QPlainTextEdit::selectAll);
  connect(copyAction_, &QAction::triggered, this, &QPlainTextEdit::copy);
  connect(popup_, &QMenu::aboutToShow, this, &TConsoleLog::UpdatePopupMenu);
}

void TConsoleLog::PrintText(const QString& text) {
  QTextCursor cursor(document());
  cursor.movePosition(QTextCursor::End);
  cursor.insertText(NormaliseLineEnds(text) + QLatin1Char('\n'));
  ShowEnd();
}

void TConsoleLog::ReplaceFrom(int echoStart, const QString& text) {
  QTextCursor cursor(document());
  cursor.movePosition(QTextCursor::End);
  const int end = cursor.position();
  cursor.setPosition(std::clamp(echoStart, 0, end), QTextCursor::KeepAnchor);
  cursor.insertText(NormaliseLineEnds(text));
  ShowEnd();
}

void TConsoleLog::ShowEnd() {
  QScrollBar* bar = verticalScrollBar();
  bar->setValue(bar->maximum());
}

int TConsoleLog::CaretPosition() const {
  // The document always ends in a block separator that cannot be selected.
  return document()->characterCount() - 1;
}

void TConsoleLog::ClearLog() { clear(); }

QString TConsoleLog::TextWithCrLf() const {
  QString text = document()->toPlainText();
  text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
  return text;
}

void TConsoleLog::contextMenuEvent(QContextMenuEvent* event) {
  popup_->exec(event->globalPos());
}

QString TConsoleLog::LineText(int line) const { return document()->findBlockByNumber(line).text(); }

void TConsoleLog::mouseDoubleClickEvent(QMouseEvent* event) {
  QPlainTextEdit::mouseDoubleClickEvent(event);
  if (event->button() == Qt::LeftButton) emit LineDoubleClicked(cursorForPosition(event->position().toPoint()).block().text());
}

void TConsoleLog::UpdatePopupMenu() { copyAction_->setEnabled(textCursor().hasSelection()); }

}  // namespace zc
