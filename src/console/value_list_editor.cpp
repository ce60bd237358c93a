#include "value_list_editor.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QStyledItemDelegate>

#include <utility>

#include "name_value_rows.h"

namespace zc {

// The table view's window onto the line list. Every read goes to the list
// itself; the row count is cached so that an outside change cannot make the
// view ask for rows that no longer exist before Refresh() is called.
class NameValueModel : public QAbstractTableModel {
 public:
  NameValueModel(NameValueList& lines, QObject* parent)
      : QAbstractTableModel(parent), lines_(lines), rows_(Count()) {}

  int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : rows_; }
  int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : 2; }

  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid() || index.row() >= Count()) return {};
    if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
    // Read through a const view: a write access would make the engine index
    // the names again at its next lookup.
    const auto parts = SplitNameValue(std::as_const(lines_)[static_cast<size_t>(index.row())]);
    return QString::fromStdString(index.column() == 0 ? parts.name : parts.value);
  }

  bool setData(const QModelIndex& index, const QVariant& value, int role) override {
    if (!index.isValid() || role != Qt::EditRole || index.row() >= Count()) return false;
    auto& line = lines_[static_cast<size_t>(index.row())];
    auto parts = SplitNameValue(line);
    const std::string text = value.toString().toStdString();
    if (index.column() == 0) {
      parts.name = text;
    } else {
      parts.value = text;
    }
    // A zero-length row that gets a name becomes a real entry.
    const bool hadEquals = parts.hasEquals || (line.empty() && !parts.name.empty());
    const std::string updated = JoinNameValue(parts.name, parts.value, hadEquals);
    if (updated == line) return false;
    line = updated;
    emit dataChanged(index, index);
    return true;
  }

  Qt::ItemFlags flags(const QModelIndex& index) const override {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
  }

  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Horizontal) return section == 0 ? QStringLiteral("Name") : QStringLiteral("Value");
    return {};
  }

  // Same number of lines: only values changed (the usual ANS update), so the
  // view keeps its scroll position and current cell untouched.
  void Reload() {
    if (rows_ == Count()) {
      if (rows_ > 0) emit dataChanged(index(0, 0), index(rows_ - 1, 1));
      return;
    }
    beginResetModel();
    rows_ = Count();
    endResetModel();
  }

 private:
  int Count() const { return static_cast<int>(lines_.size()); }

  NameValueList& lines_;
  int rows_;
};

namespace {

// Cell editors report their keys to the grid first, so Enter and the value
// filter work while a cell is being edited. The view installs the delegate as
// the editor's last event filter, which runs before any other, so the grid is
// asked from here.
class FilteringDelegate : public QStyledItemDelegate {
 public:
  FilteringDelegate(QObject* grid, QObject* parent) : QStyledItemDelegate(parent), grid_(grid) {}

 protected:
  bool eventFilter(QObject* editor, QEvent* event) override {
    if (event->type() == QEvent::KeyPress && grid_->eventFilter(editor, event)) return true;
    // A window that is going away takes the focus from the editor; its owner
    // may already have destroyed the lines, so the text is not written then.
    // Owners that keep the edits (the constants dialog) commit before hiding.
    if (event->type() == QEvent::FocusOut) {
      auto* widget = qobject_cast<QWidget*>(editor);
      if (widget && widget->window()->isHidden()) return false;
    }
    return QStyledItemDelegate::eventFilter(editor, event);
  }

 private:
  QObject* grid_;
};

bool IsEnterKey(const QKeyEvent* event) {
  return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

}  // namespace

ValueListEditor::ValueListEditor(NameValueList& lines, QWidget* parent)
    : QTableView(parent), lines_(lines), model_(new NameValueModel(lines, this)) {
  setModel(model_);
  setItemDelegate(new FilteringDelegate(this, this));
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                  QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
  verticalHeader()->setVisible(false);
  // Monospaced cells keep values of different lengths easy to compare.
  QFont cellFont(QStringLiteral("Courier New"));
  cellFont.setPixelSize(12);
  setFont(cellFont);
  horizontalHeader()->setFont(QApplication::font(horizontalHeader()));
  verticalHeader()->setMinimumSectionSize(1);
  verticalHeader()->setDefaultSectionSize(19);
  horizontalHeader()->setStretchLastSection(true);
  horizontalHeader()->setSectionsClickable(false);
  setWordWrap(false);

  popup_ = new QMenu(this);
  addAction_ = popup_->addAction(QStringLiteral("変数の追加(&A)"));
  deleteAction_ = popup_->addAction(QStringLiteral("変数の削除(&D)"));
  connect(addAction_, &QAction::triggered, this, &ValueListEditor::AddNewRow);
  connect(deleteAction_, &QAction::triggered, this, &ValueListEditor::DeleteCurrentRow);
  connect(model_, &QAbstractItemModel::dataChanged, this, &ValueListEditor::LinesEdited);
}

ValueListEditor::~ValueListEditor() = default;

void ValueListEditor::Refresh() {
  const QModelIndex current = currentIndex();
  model_->Reload();
  const int rows = model_->rowCount();
  if (rows == 0) return;
  const int row = current.isValid() ? std::min(current.row(), rows - 1) : 0;
  setCurrentIndex(model_->index(row, current.isValid() ? current.column() : 0));
}

void ValueListEditor::CommitEdit() {
  // The grid places no widgets of its own in cells, so a cell widget is an
  // open editor.
  const QModelIndex current = currentIndex();
  if (!current.isValid()) return;
  if (QWidget* editor = indexWidget(current)) {
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
  }
}

void ValueListEditor::AddNewRow() {
  CommitEdit();
  const int row = zc::AddNewRow(lines_);
  model_->Reload();
  setCurrentIndex(model_->index(row, 0));
  emit LinesEdited();
}

void ValueListEditor::DeleteCurrentRow() {
  CommitEdit();
  const QModelIndex current = currentIndex();
  const int column = current.isValid() ? current.column() : 0;
  const int row = DeleteRow(lines_, current.isValid() ? current.row() : (lines_.size() <= 1 ? 0 : -1));
  if (row < 0) return;
  model_->Reload();
  setCurrentIndex(model_->index(row, column));
  emit LinesEdited();
}

void ValueListEditor::AppendEmptyRow() {
  CommitEdit();
  lines_.push_back("=");
  model_->Reload();
  setCurrentIndex(model_->index(static_cast<int>(lines_.size()) - 1, 0));
  emit LinesEdited();
}

void ValueListEditor::SetValueFilter(bool enabled) { valueFilter_ = enabled; }

void ValueListEditor::SetColumnWidths(int nameWidth, int valueWidth) {
  setColumnWidth(0, nameWidth);
  setColumnWidth(1, valueWidth);
}

void ValueListEditor::SetPopupMenuEnabled(bool enabled) { popupEnabled_ = enabled; }

bool ValueListEditor::AcceptsTypedText(const QString& text) const {
  if (!valueFilter_ || currentIndex().column() != 1) return true;
  for (const char32_t character : text.toUcs4()) {
    if (!IsConstantValueChar(character)) return false;
  }
  return true;
}

void ValueListEditor::SetEnterAppendsRow(bool enabled) { enterAppendsRow_ = enabled; }

void ValueListEditor::keyPressEvent(QKeyEvent* event) {
  if (enterAppendsRow_ && IsEnterKey(event)) {
    AppendEmptyRow();
    event->accept();
    return;
  }
  // A typed character also opens the cell editor, so it is filtered here.
  if (!event->text().isEmpty() && !AcceptsTypedText(event->text())) {
    event->accept();
    return;
  }
  QTableView::keyPressEvent(event);
}

bool ValueListEditor::eventFilter(QObject* watched, QEvent* event) {
  auto* widget = qobject_cast<QWidget*>(watched);
  const bool isCellEditor = widget && widget != viewport() && widget->parentWidget() == viewport();
  if (event->type() == QEvent::KeyPress && isCellEditor) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (enterAppendsRow_ && IsEnterKey(key)) {
      AppendEmptyRow();
      return true;
    }
    return !key->text().isEmpty() && !AcceptsTypedText(key->text());
  }
  return QTableView::eventFilter(watched, event);
}

void ValueListEditor::contextMenuEvent(QContextMenuEvent* event) {
  if (!popupEnabled_) {
    QTableView::contextMenuEvent(event);
    return;
  }
  const QModelIndex clicked = indexAt(viewport()->mapFrom(this, event->pos()));
  if (clicked.isValid()) setCurrentIndex(clicked);
  popup_->popup(event->globalPos());
  event->accept();
}

void ValueListEditor::showEvent(QShowEvent* event) {
  // Catches engine writes made while the grid was hidden.
  Refresh();
  QTableView::showEvent(event);
}

}  // namespace zc
