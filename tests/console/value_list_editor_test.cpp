#include <QLineEdit>
#include <QTest>

#include "dialog_test_suites.h"
#include "grid_test_support.h"
#include "value_list_editor.h"

namespace zc {

class ValueListEditorTest : public QObject {
  Q_OBJECT

 private slots:
  void popupAddsNumberedRows() {
    NameValueList lines;
    ValueListEditor grid(lines);
    grid.AddAction()->trigger();
    grid.AddAction()->trigger();
    QCOMPARE(lines, (NameValueList{"New1=0", "New2=0"}));
    QCOMPARE(grid.model()->rowCount(), 2);
    QCOMPARE(grid.currentIndex().row(), 1);
  }

  void popupDeletesTheCurrentRowButNeverTheLast() {
    NameValueList lines{"a=1", "b=2", "c=3"};
    ValueListEditor grid(lines);
    grid.setCurrentIndex(grid.model()->index(1, 1));
    grid.DeleteAction()->trigger();
    QCOMPARE(lines, (NameValueList{"a=1", "c=3"}));
    QCOMPARE(grid.model()->rowCount(), 2);

    lines = {"x=5"};
    grid.Refresh();
    grid.DeleteAction()->trigger();
    QCOMPARE(lines, NameValueList{"="});
    QCOMPARE(grid.model()->rowCount(), 1);
    QCOMPARE(grid.model()->index(0, 0).data().toString(), QString());
  }

  void enterAppendsAnEmptyRowEachTime() {
    NameValueList lines{""};
    ValueListEditor grid(lines);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    grid.setFocus();
    QTest::keyClick(&grid, Qt::Key_Return);
    QTest::keyClick(&grid, Qt::Key_Enter);
    QCOMPARE(lines, (NameValueList{"", "=", "="}));
    QCOMPARE(grid.currentIndex().row(), 2);
  }

  void enterWhileEditingKeepsTheEditAndAppends() {
    NameValueList lines{"a=1"};
    ValueListEditor grid(lines);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QLineEdit* editor = OpenCellEditor(grid, 0, 1);
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClicks(editor, "42");
    QTest::keyClick(editor, Qt::Key_Return);
    QCOMPARE(lines, (NameValueList{"a=42", "="}));
  }

  void cellEditsWriteTheLineAtOnce() {
    struct Case {
      QString before;
      int column;
      QString typed;
      QString after;
    };
    const Case cases[] = {
        {"", 0, "x", "x="},         // an empty row gets a name
        {"=", 1, "5", "=5"},
        {"a=1", 0, "b", "b=1"},
        {"a=1", 1, "", "a="},
        {"note", 1, "", "note"},    // a line without '=' keeps its form
        {"note", 1, "2", "note=2"},
    };
    for (const auto& c : cases) {
      NameValueList lines{c.before.toStdString()};
      ValueListEditor grid(lines);
      grid.model()->setData(grid.model()->index(0, c.column), c.typed);
      QCOMPARE(QString::fromStdString(lines[0]), c.after);
    }
  }

  void refreshShowsWritesMadeElsewhere() {
    NameValueList lines{""};
    ValueListEditor grid(lines);
    // What the engine does on the first evaluation: drop the empty line and
    // write ANS and an assignment.
    lines = {"x=5", "ANS=5"};
    grid.Refresh();
    QCOMPARE(grid.model()->rowCount(), 2);
    QCOMPARE(grid.model()->index(1, 0).data().toString(), QStringLiteral("ANS"));
    QCOMPARE(grid.model()->index(1, 1).data().toString(), QStringLiteral("5"));
  }

  void refreshAfterAValueChangeKeepsTheCurrentCell() {
    NameValueList lines{"x=5", "ANS=5"};
    ValueListEditor grid(lines);
    grid.setCurrentIndex(grid.model()->index(0, 1));
    lines[1] = "ANS=25";
    grid.Refresh();
    QCOMPARE(grid.currentIndex(), grid.model()->index(0, 1));
    QCOMPARE(grid.model()->index(1, 1).data().toString(), QStringLiteral("25"));
  }

  void rowsThatVanishedBeforeRefreshReadAsEmpty() {
    NameValueList lines{"a=1", "b=2", "c=3"};
    ValueListEditor grid(lines);
    lines.resize(1);
    QCOMPARE(grid.model()->index(2, 1).data(), QVariant());
    QVERIFY(!grid.model()->setData(grid.model()->index(2, 1), "9"));
    QCOMPARE(lines.size(), size_t{1});
  }

  void hidingTheWindowDropsAnOpenEditInsteadOfWritingIt() {
    // The main window holds the variable list as a member, which dies before
    // the window hides itself in its base destructor: a write then would
    // land in freed memory.
    QWidget window;
    NameValueList lines{"a=1"};
    auto* grid = new ValueListEditor(lines, &window);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QModelIndex value = grid->model()->index(0, 1);
    grid->setCurrentIndex(value);
    grid->edit(value);
    auto* editor = qobject_cast<QLineEdit*>(grid->indexWidget(value));
    QVERIFY(editor);
    editor->setFocus();
    QTest::keyClicks(editor, "77");
    window.hide();
    QCOMPARE(lines, NameValueList{"a=1"});
    // CommitEdit is how an owner keeps it.
    window.show();
    grid->edit(value);
    editor = qobject_cast<QLineEdit*>(grid->indexWidget(value));
    QVERIFY(editor);
    editor->setText(QStringLiteral("5"));
    grid->CommitEdit();
    QCOMPARE(lines, NameValueList{"a=5"});
  }

  void variablesGridHasNoValueFilter() {
    NameValueList lines{"a=1"};
    ValueListEditor grid(lines);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    grid.setFocus();
    grid.setCurrentIndex(grid.model()->index(0, 1));
    QTest::keyClick(&grid, Qt::Key_X);
    auto* editor = qobject_cast<QLineEdit*>(grid.indexWidget(grid.currentIndex()));
    QVERIFY(editor);
    QCOMPARE(editor->text(), QStringLiteral("x"));
  }
};

int dialog_tests::RunValueListEditorTests(int argc, char** argv) {
  ValueListEditorTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace zc

#include "value_list_editor_test.moc"
