#include <QComboBox>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "dialog_test_suites.h"
#include "exp_error.h"

namespace zc {

namespace {

QString WriteErrors(const QTemporaryDir& dir, const QByteArray& text) {
  const QString path = dir.filePath("errors.txt");
  QFile file(path);
  if (file.open(QIODevice::WriteOnly)) file.write(text);
  return path;
}

}  // namespace

class ExpErrorTest : public QObject {
  Q_OBJECT

 private slots:
  void choosingAnEntryShowsItsCodeAndText() {
    QTemporaryDir dir;
    const QString path = WriteErrors(dir,
                                     "; comment\r\n"
                                     "[Syntax=12]\r\n"
                                     "Unknown name.\r\n"
                                     "  example  =  3 # 4\r\n"
                                     "[Paren=11]\r\n"
                                     "Unbalanced.\r\n"
                                     "\r\n"
                                     "(1+2\r\n"
                                     "[Quiet=17]\r\n"
                                     "[NoCode]\r\n"
                                     "text\r\n");
    TExpError dialog(path);
    QComboBox* list = dialog.ErrorList();
    QCOMPARE(list->count(), 4);
    QCOMPARE(list->itemText(0), QStringLiteral("Syntax"));
    QCOMPARE(list->itemText(1), QStringLiteral("Paren"));
    QCOMPARE(list->itemText(3), QString());
    QCOMPARE(dialog.CodeText(), QString());

    struct Case {
      int index;
      QString code;
      QString text;
    };
    const Case cases[] = {
        {1, "11", "Unbalanced.\n(1+2"},
        {0, "12", "Unknown name.\nexample=3 # 4"},
        {2, "17", ""},      // a section without lines
        {3, "", "text"},    // a name without '='
    };
    for (const auto& c : cases) {
      list->setCurrentIndex(c.index);
      QCOMPARE(dialog.CodeText(), c.code);
      QCOMPARE(dialog.ExplanationText(), c.text);
    }
  }

  void missingFileGivesAnEmptyListThatStillOpens() {
    QTemporaryDir dir;
    TExpError dialog(dir.filePath("errors.txt"));
    QCOMPARE(dialog.ErrorList()->count(), 0);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.CodeText(), QString());
  }

  void installedFileExplainsEveryEngineError() {
    TExpError dialog(QStringLiteral(ZC_ERRORS_FILE));
    QComboBox* list = dialog.ErrorList();
    QCOMPARE(list->count(), 11);
    for (int index = 0; index < list->count(); ++index) {
      list->setCurrentIndex(index);
      QCOMPARE(dialog.CodeText(), QString::number(10 + index));
      QVERIFY2(dialog.ExplanationText().contains(QStringLiteral("例 :")), qPrintable(list->itemText(index)));
    }
  }
};

int dialog_tests::RunExpErrorTests(int argc, char** argv) {
  ExpErrorTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace zc

#include "exp_error_test.moc"
