#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include "const_dlg.h"
#include "dialog_test_suites.h"
#include "grid_test_support.h"
#include "text_encoding.h"
#include "recording_prompts.h"
#include "value_list_editor.h"

namespace zc {

namespace {

QByteArray ReadBytes(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

// A byte-order mark and the text in UTF-16.
QByteArray Utf16(std::u16string_view text, bool bigEndian) {
  QByteArray bytes = bigEndian ? QByteArray("\xFE\xFF") : QByteArray("\xFF\xFE");
  for (const char16_t unit : text) {
    const char high = static_cast<char>(unit >> 8);
    const char low = static_cast<char>(unit & 0xFF);
    bytes.append(bigEndian ? high : low);
    bytes.append(bigEndian ? low : high);
  }
  return bytes;
}

using test::RecordingPrompts;

}  // namespace

class ConstDlgTest : public QObject {
  Q_OBJECT

 private slots:
  void showingCopiesTheConstantsAndClosingAppliesTheEdits() {
    NameValueList constants{"pi=3.14159265358979", "e=2.71828182845905", "g=9.8"};
    RecordingPrompts prompts;
    TConstDlg dialog(constants, TextEncoding::Utf8, prompts);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.GridLines(), constants);

    dialog.Grid()->setCurrentIndex(dialog.Grid()->model()->index(1, 0));
    dialog.Button2Click();  // 削除(&D)
    QCOMPARE(constants.size(), size_t{3});  // nothing applied before closing
    dialog.close();
    QCOMPARE(constants, (NameValueList{"pi=3.14159265358979", "g=9.8"}));

    // The next showing starts again from the constants.
    constants.push_back("h=6.62607015E-34");
    dialog.show();
    QCOMPARE(dialog.GridLines().size(), size_t{3});
    dialog.reject();
    QCOMPARE(constants.size(), size_t{3});
  }

  void valueColumnTakesOnlyNumberCharacters() {
    NameValueList constants{"k=1"};
    RecordingPrompts prompts;
    TConstDlg dialog(constants, TextEncoding::Utf8, prompts);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    ValueListEditor* grid = dialog.Grid();
    grid->setFocus();
    QLineEdit* editor = OpenCellEditor(*grid, 0, 1);
    QVERIFY(editor);
    editor->clear();
    QTest::keyClicks(editor, "1.5E-3");
    QCOMPARE(editor->text(), QStringLiteral("1.5E-3"));
    QTest::keyClicks(editor, "+e x,");
    QCOMPARE(editor->text(), QStringLiteral("1.5E-3"));
    QTest::keyClick(editor, Qt::Key_Backspace);
    QCOMPARE(editor->text(), QStringLiteral("1.5E-"));
  }

  void enterInTheDialogsGridFinishesTheEditWithoutAddingARow() {
    NameValueList constants{"k=1"};
    RecordingPrompts prompts;
    TConstDlg dialog(constants, TextEncoding::Utf8, prompts);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QLineEdit* editor = OpenCellEditor(*dialog.Grid(), 0, 1);
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClicks(editor, "2.5");
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_COMPARE(dialog.GridLines(), NameValueList{"k=2.5"});  // committed from the event loop
  }

  void typingThatOpensAValueCellIsFilteredToo() {
    NameValueList constants{"k=1"};
    RecordingPrompts prompts;
    TConstDlg dialog(constants, TextEncoding::Utf8, prompts);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    ValueListEditor* grid = dialog.Grid();
    grid->setFocus();
    grid->setCurrentIndex(grid->model()->index(0, 1));
    QTest::keyClick(grid, Qt::Key_Plus);
    QVERIFY(!grid->indexWidget(grid->currentIndex()));  // no editor opened
    // The Name column has no filter.
    grid->setCurrentIndex(grid->model()->index(0, 0));
    QTest::keyClick(grid, Qt::Key_Z);
    auto* editor = qobject_cast<QLineEdit*>(grid->indexWidget(grid->currentIndex()));
    QVERIFY(editor);
    QCOMPARE(editor->text(), QStringLiteral("z"));
  }

  void importAnsweredYesReplacesAndNoAppends() {
    QTemporaryDir dir;
    const QString path = dir.filePath("more.txt");
    WriteBytes(path, "h=6.62607015E-34\r\nc=299792458\r\n");

    NameValueList constants{"a=1", "b=2", "d=3"};
    RecordingPrompts prompts;
    TConstDlg dialog(constants, TextEncoding::Utf8, prompts);
    prompts.chosenFile = path;
    dialog.show();

    prompts.answer = false;
    dialog.Button3Click();
    QCOMPARE(prompts.questions, QStringList{QStringLiteral("more.txt の内容で置き換えますか？")});
    QCOMPARE(dialog.GridLines(),
             (NameValueList{"a=1", "b=2", "d=3", "h=6.62607015E-34", "c=299792458"}));
    QCOMPARE(dialog.Grid()->model()->rowCount(), 5);

    prompts.answer = true;
    dialog.Button3Click();
    QCOMPARE(dialog.GridLines(), (NameValueList{"h=6.62607015E-34", "c=299792458"}));
    QCOMPARE(dialog.Grid()->model()->rowCount(), 2);
  }

  void cancelledOrUnreadableImportChangesNothing() {
    NameValueList constants{"a=1"};
    RecordingPrompts prompts;
    TConstDlg dialog(constants, TextEncoding::Utf8, prompts);
    dialog.show();
    dialog.Button3Click();  // cancelled: no file
    QVERIFY(prompts.questions.isEmpty());

    QTemporaryDir dir;
    QVERIFY(!dialog.ImportFile(dir.filePath("absent.txt"), true));
    QCOMPARE(prompts.errors.size(), 1);
    QVERIFY(prompts.errors[0].contains(QStringLiteral("absent.txt")));
    QCOMPARE(dialog.GridLines(), NameValueList{"a=1"});
  }

  void exportWritesCrLfInTheEncodingLastRead() {
    struct Case {
      const char* name;
      TextEncoding encoding;
      QByteArray expected;
    };
    const Case cases[] = {
        {"plain", TextEncoding::Utf8, "x=1\r\n\xCF\x80=3.14\r\n"},
        {"utf8 bom", TextEncoding::Utf8Bom, "\xEF\xBB\xBFx=1\r\n\xCF\x80=3.14\r\n"},
        {"utf16 le", TextEncoding::Utf16LE, Utf16(u"x=1\r\n\u03C0=3.14\r\n", false)},
        {"utf16 be", TextEncoding::Utf16BE, Utf16(u"x=1\r\n\u03C0=3.14\r\n", true)},
    };
    for (const auto& c : cases) {
      QTemporaryDir dir;
      NameValueList constants{"x=1", "\xCF\x80=3.14"};  // π as a name
      RecordingPrompts prompts;
      TConstDlg dialog(constants, c.encoding, prompts);
      prompts.chosenFile = dir.filePath("out.txt");
      dialog.show();
      dialog.Button4Click();
      QVERIFY2(prompts.errors.isEmpty(), c.name);
      QCOMPARE(ReadBytes(prompts.chosenFile), c.expected);
    }
  }

  void exportKeepsTheEncodingOfAnImportedFile() {
    QTemporaryDir dir;
    const QByteArray utf16 = Utf16(u"k=2\r\n", true);
    WriteBytes(dir.filePath("in.txt"), utf16);
    NameValueList constants;
    RecordingPrompts prompts;
    TConstDlg dialog(constants, TextEncoding::Utf8, prompts);
    dialog.show();
    QVERIFY(dialog.ImportFile(dir.filePath("in.txt"), true));
    QCOMPARE(dialog.Encoding(), TextEncoding::Utf16BE);
    QVERIFY(dialog.ExportFile(dir.filePath("out.txt")));
    QCOMPARE(ReadBytes(dir.filePath("out.txt")), utf16);
  }

  void failedExportReportsAndKeepsTheOldFile() {
    QTemporaryDir dir;
    NameValueList constants{"a=1"};
    RecordingPrompts prompts;
    TConstDlg dialog(constants, TextEncoding::Utf8, prompts);
    dialog.show();
    QVERIFY(!dialog.ExportFile(dir.filePath("no/such/dir/out.txt")));
    QCOMPARE(prompts.errors.size(), 1);
    QCOMPARE(dialog.GridLines(), NameValueList{"a=1"});
  }
};

int dialog_tests::RunConstDlgTests(int argc, char** argv) {
  ConstDlgTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace zc

#include "const_dlg_test.moc"
