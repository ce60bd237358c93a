// A two-column "Name" / "Value" grid that edits a name=value line list in
// place. The main window's variables grid (ValueListEditor1) and the
// constants dialog's grid are both this widget.
//
// The grid does not copy the lines: it shows and edits the list it was bound
// to. An edit made in a cell is written into the list as soon as the cell is
// left, so the next evaluation sees it. When someone else changes the list
// (the engine writing ANS or an assignment), call Refresh() so the grid
// shows it; call CommitEdit() before handing the list to the engine so a
// cell still being edited is not lost.
#pragma once

#include <QTableView>

#include "engine_context.h"

class QAction;
class QMenu;

namespace zc {

class NameValueModel;

class ValueListEditor : public QTableView {
  Q_OBJECT

 public:
  // `lines` must outlive the grid's use of it. A cell still being edited when
  // the grid's window is hidden or destroyed is dropped, not written, so an
  // owner may hold the list as a member of the window; call CommitEdit()
  // before hiding when the edit should count.
  explicit ValueListEditor(NameValueList& lines, QWidget* parent = nullptr);
  ~ValueListEditor() override;

  NameValueList& Lines() { return lines_; }
  const NameValueList& Lines() const { return lines_; }

  // Re-reads the whole list after an outside change; keeps the current cell
  // where it still exists.
  void Refresh();

  // Writes a cell editor that is still open into the list.
  void CommitEdit();

  // Appends New<n>=0 and makes it the current row.
  void AddNewRow();
  // Deletes the current row (the last row becomes "=" instead).
  void DeleteCurrentRow();

  // The constants dialog accepts only number characters in the Value column.
  void SetValueFilter(bool enabled);
  bool ValueFilter() const { return valueFilter_; }

  // Enter (also while a cell is edited) appends an empty row "=" in the
  // variables grid; the constants dialog turns that off.
  void SetEnterAppendsRow(bool enabled);

  void SetColumnWidths(int nameWidth, int valueWidth);

  // The grid's pop-up menu ("変数の追加(&A)" / "変数の削除(&D)"). Owners that
  // want no pop-up (the constants dialog has buttons instead) disable it.
  void SetPopupMenuEnabled(bool enabled);
  QMenu* PopupMenu() const { return popup_; }
  QAction* AddAction() const { return addAction_; }
  QAction* DeleteAction() const { return deleteAction_; }

 signals:
  // Emitted after every change the grid itself made to the list.
  void LinesEdited();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void AppendEmptyRow();
  bool AcceptsTypedText(const QString& text) const;

  NameValueList& lines_;
  NameValueModel* model_;
  QMenu* popup_;
  QAction* addAction_;
  QAction* deleteAction_;
  bool valueFilter_ = false;
  bool enterAppendsRow_ = true;
  bool popupEnabled_ = true;
};

}  // namespace zc
