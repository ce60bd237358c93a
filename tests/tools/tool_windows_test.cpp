// The prime, fraction and quadratic tool windows, driven as a user would.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QtTest>

#include "is_primenum_dlg.h"
#include "niji_dlg.h"
#include "prime_cache_file.h"
#include "recording_prompts.h"
#include "right_edit.h"
#include "yaku_dlg.h"

namespace zc {

class ToolWindowsTest : public QObject {
  Q_OBJECT

 private:
  test::RecordingPrompts prompts_;

  static QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

  static QString AppDir(const QTemporaryDir& dir) { return dir.path() + QLatin1Char('/'); }

 private slots:
  // --- prime tool ---------------------------------------------------------

  void primeTestShowsNegativeNumbersByTheirMagnitude() {
    QTemporaryDir dir;
    TIsPrimenumDlg dlg(AppDir(dir), prompts_);
    dlg.Edit1->setText(QStringLiteral("-7"));
    dlg.Button1->click();
    QCOMPARE(dlg.Panel1->text(), QStringLiteral("7 は、素数です。"));
    QVERIFY(dlg.Panel1->font().bold());
    QCOMPARE(dlg.Panel1->palette().color(QPalette::WindowText), QColor(0, 255, 96));
  }

  void compositeTestFillsTheCacheAndTheStatusBar() {
    QTemporaryDir dir;
    TIsPrimenumDlg dlg(AppDir(dir), prompts_);
    dlg.show();
    QCOMPARE(dlg.StatusBar1->currentMessage(), QStringLiteral("素数キャッシュ: 0"));
    dlg.Edit1->setText(QStringLiteral("91"));
    dlg.Button1->click();
    QCOMPARE(dlg.Panel1->text(), QStringLiteral("91 は、素数ではありません。"));
    QVERIFY(!dlg.Panel1->font().bold());
    QCOMPARE(dlg.StatusBar1->currentMessage(), QStringLiteral("素数キャッシュ: 4"));
  }

  void zeroAndOneAreNotPrimes_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("0") << "0" << "0 は、素数ではありません。";
    QTest::newRow("1") << "1" << "1 は、素数ではありません。";
    QTest::newRow("-1") << "-1" << "1 は、素数ではありません。";
    QTest::newRow("2") << "2" << "2 は、素数です。";
    QTest::newRow("+97") << "+97" << "97 は、素数です。";
    QTest::newRow("2^61-1") << "2305843009213693951" << "2305843009213693951 は、素数です。";
  }
  void zeroAndOneAreNotPrimes() {
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QTemporaryDir dir;
    TIsPrimenumDlg dlg(AppDir(dir), prompts_);
    dlg.Edit1->setText(typed);
    dlg.Button1->click();
    QCOMPARE(dlg.Panel1->text(), shown);
  }

  void factorisationShowsPrimePowers_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("360") << "360" << "2^3*3^2*5";
    QTest::newRow("1024") << "1024" << "2^10";
    QTest::newRow("9973") << "9973" << "9973";
    QTest::newRow("0") << "0" << "";
    QTest::newRow("62-bit semiprime") << "4611685975477714963" << "2147483629*2147483647";
  }
  void factorisationShowsPrimePowers() {
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QTemporaryDir dir;
    TIsPrimenumDlg dlg(AppDir(dir), prompts_);
    dlg.Edit2->setText(QStringLiteral("old"));
    dlg.Edit1->setText(typed);
    dlg.Button2->click();
    QCOMPARE(dlg.Edit2->text(), shown);
  }

  void unusableInputGetsAMessageAndChangesNothing_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("factorise");
    QTest::addColumn<QString>("message");
    QTest::newRow("text") << "abc" << false << "'abc' は整数ではありません";
    QTest::newRow("empty") << "" << true << "'' は整数ではありません";
    QTest::newRow("beyond 64 bits") << "9223372036854775808" << false
                                    << "'9223372036854775808' は整数ではありません";
    QTest::newRow("2^62") << "4611686018427387904" << false << "4611686018427387904 は大きすぎます";
    QTest::newRow("-2^63") << "-9223372036854775808" << false << "-9223372036854775808 は大きすぎます";
    QTest::newRow("negative factorisation") << "-12" << true << "負の数は素因数分解できません";
  }
  void unusableInputGetsAMessageAndChangesNothing() {
    QFETCH(QString, typed);
    QFETCH(bool, factorise);
    QFETCH(QString, message);
    QTemporaryDir dir;
    TIsPrimenumDlg dlg(AppDir(dir), prompts_);
    QStringList& errors = prompts_.errors;
    errors.clear();
    dlg.Panel1->setText(QStringLiteral("before"));
    dlg.Edit2->setText(QStringLiteral("before"));
    dlg.Edit1->setText(typed);
    (factorise ? dlg.Button2 : dlg.Button1)->click();
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors.front().startsWith(message), qPrintable(errors.front()));
    QCOMPARE(dlg.Panel1->text(), QStringLiteral("before"));
    QCOMPARE(dlg.Edit2->text(), QStringLiteral("before"));
    QCOMPARE(dlg.Cache().Count(), std::size_t{0});
  }

  void closingWritesTheCacheAndTheNextWindowReadsIt() {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("Primenumbers.log"));
    QPointer<TIsPrimenumDlg> instance;
    TIsPrimenumDlg::Toggle(instance, nullptr, AppDir(dir), prompts_);
    QVERIFY(instance && instance->isVisible());
    instance->Edit1->setText(QStringLiteral("91"));
    instance->Button1->click();
    TIsPrimenumDlg::Toggle(instance, nullptr, AppDir(dir), prompts_);  // closes and frees it
    QTRY_VERIFY(instance.isNull());

    PrimeCache expected;
    for (const char* p : {"2", "3", "5", "7"}) expected.Add(p);
    QCOMPARE(ReadAll(file), QByteArray::fromStdString(EncodePrimeCacheFile(expected)));

    TIsPrimenumDlg::Toggle(instance, nullptr, AppDir(dir), prompts_);
    QCOMPARE(instance->StatusBar1->currentMessage(), QStringLiteral("素数キャッシュ: 4"));
    instance->close();
    QTRY_VERIFY(instance.isNull());
  }

  void anEmptyCacheIsWrittenAsItsDigestAlone() {
    QTemporaryDir dir;
    { TIsPrimenumDlg dlg(AppDir(dir), prompts_); }
    QCOMPARE(ReadAll(dir.filePath(QStringLiteral("Primenumbers.log"))),
             QByteArray::fromHex("d41d8cd98f00b204e9800998ecf8427e"));
  }

  void aDamagedCacheFileIsIgnoredAndThenReplaced() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Primenumbers.log"));
    PrimeCache cache;
    cache.Add("2");
    QByteArray bytes = QByteArray::fromStdString(EncodePrimeCacheFile(cache));
    bytes[1] = static_cast<char>(bytes[1] ^ 0x20);
    {
      QFile file(path);
      QVERIFY(file.open(QIODevice::WriteOnly));
      file.write(bytes);
    }
    {
      TIsPrimenumDlg dlg(AppDir(dir), prompts_);
      dlg.show();
      QCOMPARE(dlg.StatusBar1->currentMessage(), QStringLiteral("素数キャッシュ: 0"));
    }
    QCOMPARE(ReadAll(path).size(), 16);
  }

  void aCacheThatCannotBeWrittenIsReportedAndTheOldFileStays() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Primenumbers.log"));
    PrimeCache old;
    old.Add("2");
    const QByteArray oldBytes = QByteArray::fromStdString(EncodePrimeCacheFile(old));
    {
      QFile file(path);
      QVERIFY(file.open(QIODevice::WriteOnly));
      file.write(oldBytes);
    }
    QFile::setPermissions(path, QFileDevice::ReadOwner);  // read-only, for root too
    QStringList& errors = prompts_.errors;
    errors.clear();
    {
      TIsPrimenumDlg dlg(AppDir(dir), prompts_);
      dlg.Edit1->setText(QStringLiteral("91"));
      dlg.Button1->click();
    }
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors[0].contains(path), qPrintable(errors[0]));
    QCOMPARE(ReadAll(path), oldBytes);
  }

  void aCacheThatCannotBeReadIsReportedOnceTheWindowShows() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Primenumbers.log"));
    QVERIFY(QDir().mkdir(path));
    QStringList& errors = prompts_.errors;
    errors.clear();
    {
      TIsPrimenumDlg dlg(AppDir(dir), prompts_);
      dlg.show();
      QTRY_COMPARE(errors.size(), 1);
      QVERIFY2(errors[0].contains(path), qPrintable(errors[0]));
    }
    QCOMPARE(errors.size(), 2);  // the folder cannot be written either
    QVERIFY(QFileInfo(path).isDir());
  }

  // --- fraction tool ------------------------------------------------------

  void fractionFieldsUpdateWhileTyping() {
    TYakuDlg dlg;
    dlg.show();
    QCOMPARE(dlg.windowTitle(), QStringLiteral("約分ツール"));
    dlg.Memo1->clear();
    QTest::keyClicks(dlg.Memo1, QStringLiteral("6"));
    dlg.Memo2->clear();
    QTest::keyClicks(dlg.Memo2, QStringLiteral("-8"));
    QCOMPARE(dlg.Memo3->text(), QStringLiteral("-3"));
    QCOMPARE(dlg.Memo4->text(), QStringLiteral("4"));
    QTest::keyClicks(dlg.Memo1, QStringLiteral("0"));  // 60 / -8
    QCOMPARE(dlg.Memo3->text(), QStringLiteral("-15"));
    QCOMPARE(dlg.Memo4->text(), QStringLiteral("2"));
  }

  void fractionFieldsFilterKeys() {
    TYakuDlg dlg;
    dlg.show();
    dlg.Memo1->clear();
    QTest::keyClicks(dlg.Memo1, QStringLiteral("1a2.b-3 x"));
    QCOMPARE(dlg.Memo1->text(), QStringLiteral("12-3"));
    QCOMPARE(dlg.Memo3->text(), QStringLiteral("0"));  // not an integer: counts as 0
    QTest::keyClick(dlg.Memo1, Qt::Key_Backspace);
    QTest::keyClick(dlg.Memo1, Qt::Key_Backspace);
    QCOMPARE(dlg.Memo1->text(), QStringLiteral("12"));
    QTest::keyClick(dlg.Memo1, Qt::Key_Return);  // Enter neither types nor closes
    QVERIFY(dlg.isVisible());
  }

  void fractionExtremesDoNotOverflow_data() {
    QTest::addColumn<QString>("numerator");
    QTest::addColumn<QString>("denominator");
    QTest::addColumn<QString>("reducedNumerator");
    QTest::addColumn<QString>("reducedDenominator");
    QTest::newRow("min/min") << "-2147483648" << "-2147483648" << "1" << "1";
    QTest::newRow("min/2") << "-2147483648" << "2" << "-1073741824" << "1";
    QTest::newRow("5/0") << "5" << "0" << "0" << "0";
    QTest::newRow("empty/5") << "" << "5" << "0" << "5";
    QTest::newRow("out of range") << "2147483648" << "4" << "0" << "4";
  }
  void fractionExtremesDoNotOverflow() {
    QFETCH(QString, numerator);
    QFETCH(QString, denominator);
    QFETCH(QString, reducedNumerator);
    QFETCH(QString, reducedDenominator);
    TYakuDlg dlg;
    dlg.Memo1->setText(numerator);
    dlg.Memo2->setText(denominator);
    QCOMPARE(dlg.Memo3->text(), reducedNumerator);
    QCOMPARE(dlg.Memo4->text(), reducedDenominator);
  }

  void fractionToggleShowsClosesAndStartsAfresh() {
    QPointer<TYakuDlg> instance;
    TYakuDlg::Toggle(instance, nullptr);
    QVERIFY(instance->isVisible());
    instance->Memo1->setText(QStringLiteral("4"));
    TYakuDlg::Toggle(instance, nullptr);
    QTRY_VERIFY(instance.isNull());
    TYakuDlg::Toggle(instance, nullptr);
    QCOMPARE(instance->Memo1->text(), QStringLiteral("1"));
    instance->OKBtn->click();
    QTRY_VERIFY(instance.isNull());
  }

  // --- quadratic tool -----------------------------------------------------

  void quadraticExamples_data() {
    QTest::addColumn<QStringList>("abc");
    QTest::addColumn<QStringList>("factors");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("root1");
    QTest::addColumn<QString>("root2");
    QTest::newRow("1 3 2") << QStringList{"1", "3", "2"} << QStringList{"", "+2", "", "+1"}
                           << "二つの実数解があります。" << "-1" << "-2";
    QTest::newRow("2 5 3") << QStringList{"2", "5", "3"} << QStringList{"2", "+3", "", "+1"}
                           << "二つの実数解があります。" << "-1" << "-3/2";
    QTest::newRow("1 2 1") << QStringList{"1", "2", "1"} << QStringList{"", "+1", "", "+1"}
                           << "重解になります。" << "-1" << "-1";
    QTest::newRow("1 3 1") << QStringList{"1", "3", "1"} << QStringList{"0", "0", "0", "0"}
                           << "二つの実数解があります。" << "-3±1√5/2" << "keep";
    QTest::newRow("1 0 -8") << QStringList{"1", "0", "-8"} << QStringList{"0", "0", "0", "0"}
                            << "二つの実数解があります。" << "0±4√2/2" << "keep";
    QTest::newRow("1 0 1") << QStringList{"1", "0", "1"} << QStringList{"0", "0", "0", "0"}
                           << "実数解はありません。" << "keep" << "keep";
    QTest::newRow("2 1 0") << QStringList{"+2", "+1", "0"} << QStringList{"0", "0", "0", "0"}
                           << "二つの実数解があります。" << "0/4" << "-1/2";
    QTest::newRow("- - -") << QStringList{"-", "-", "-"} << QStringList{"0", "0", "0", "0"}
                           << "実数解はありません。" << "keep" << "keep";
    QTest::newRow("empty") << QStringList{"", "x", ""} << QStringList{"0", "0", "0", "0"}
                           << "実数解はありません。" << "keep" << "keep";
  }
  void quadraticExamples() {
    QFETCH(QStringList, abc);
    QFETCH(QStringList, factors);
    QFETCH(QString, kind);
    QFETCH(QString, root1);
    QFETCH(QString, root2);
    TNijiDlg dlg(prompts_);
    dlg.Edit3->setText(abc[0]);
    dlg.Edit4->setText(abc[1]);
    dlg.Edit5->setText(abc[2]);
    dlg.Edit7->setText(QStringLiteral("keep"));
    dlg.Edit8->setText(QStringLiteral("keep"));
    dlg.Button2->click();
    QCOMPARE((QStringList{dlg.Edit1->text(), dlg.Edit2->text(), dlg.RightEdit2->text(),
                          dlg.RightEdit1->text()}),
             factors);
    dlg.Button3->click();
    QCOMPARE(dlg.Edit6->text(), kind);
    QCOMPARE(dlg.Edit7->text(), root1);
    QCOMPARE(dlg.Edit8->text(), root2);
  }

  void expandingTheFactorisationGivesTheCoefficientsBack() {
    TNijiDlg dlg(prompts_);
    dlg.Edit1->setText(QString());
    dlg.Edit2->setText(QStringLiteral("+2"));
    dlg.RightEdit2->setText(QString());
    dlg.RightEdit1->setText(QStringLiteral("+1"));
    dlg.Button1->click();
    QCOMPARE((QStringList{dlg.Edit3->text(), dlg.Edit4->text(), dlg.Edit5->text()}),
             (QStringList{"1", "3", "2"}));
    // (-x - 3)(2x + 5): the "-" written for -1 reads back as -1.
    dlg.Edit3->setText(QStringLiteral("-2"));
    dlg.Edit4->setText(QStringLiteral("-11"));
    dlg.Edit5->setText(QStringLiteral("-15"));
    dlg.Button2->click();
    dlg.Edit3->clear();
    dlg.Edit4->clear();
    dlg.Edit5->clear();
    dlg.Button1->click();
    QCOMPARE((QStringList{dlg.Edit3->text(), dlg.Edit4->text(), dlg.Edit5->text()}),
             (QStringList{"-2", "-11", "-15"}));
  }

  void resultsBeyondTheFieldsGetAMessage() {
    TNijiDlg dlg(prompts_);
    QStringList& errors = prompts_.errors;
    errors.clear();
    dlg.Edit1->setText(QStringLiteral("65536"));
    dlg.Edit2->setText(QStringLiteral("1"));
    dlg.RightEdit2->setText(QStringLiteral("32768"));
    dlg.RightEdit1->setText(QStringLiteral("1"));
    dlg.Edit3->setText(QStringLiteral("7"));
    dlg.Button1->click();  // A = 2^31
    QCOMPARE(errors.size(), 1);
    QCOMPARE(dlg.Edit3->text(), QStringLiteral("7"));

    dlg.Edit3->setText(QStringLiteral("-2147483648"));
    dlg.Edit4->setText(QStringLiteral("0"));
    dlg.Edit5->setText(QStringLiteral("0"));
    dlg.Button2->click();  // p = -2^31 would show as 2147483648
    QCOMPARE(errors.size(), 2);
    QCOMPARE(dlg.Edit1->text(), QStringLiteral("65536"));

    dlg.Edit4->setText(QStringLiteral("-2147483648"));
    dlg.Edit5->setText(QStringLiteral("2147483647"));
    dlg.Edit6->setText(QStringLiteral("before"));
    dlg.Button3->click();  // discriminant beyond 64 bits
    QCOMPARE(errors.size(), 3);
    QCOMPARE(dlg.Edit6->text(), QStringLiteral("before"));

    dlg.Edit3->setText(QStringLiteral("0"));
    dlg.Button3->click();  // no x² term
    QCOMPARE(errors.size(), 4);
    QCOMPARE(dlg.Edit6->text(), QStringLiteral("before"));
  }

  void testButtonReducesIntoAMessage() {
    TNijiDlg dlg(prompts_);
    QStringList& messages = prompts_.messages;
    QStringList& errors = prompts_.errors;
    messages.clear();
    errors.clear();
    dlg.Button4->click();  // both fields still say "Edit9"
    QCOMPARE(errors, QStringList{"'Edit9' は整数ではありません"});
    dlg.Edit9->setText(QStringLiteral("6"));
    dlg.Edit10->setText(QStringLiteral("-8"));
    dlg.Button4->click();
    QCOMPARE(messages, QStringList{"-3/4"});
  }

  void coefficientFieldsAreRightAligned() {
    TNijiDlg dlg(prompts_);
    for (QLineEdit* field : {static_cast<QLineEdit*>(dlg.Edit1), static_cast<QLineEdit*>(dlg.RightEdit1),
                             static_cast<QLineEdit*>(dlg.Edit5)}) {
      QVERIFY(field->alignment() & Qt::AlignRight);
    }
    QCOMPARE(dlg.windowTitle(), QStringLiteral("二次方程式ツール"));
  }
};

}  // namespace zc

QTEST_MAIN(zc::ToolWindowsTest)
#include "tool_windows_test.moc"
