// The console loop of the main window: echo, Enter, history, DIGIT, CLS,
// thrown errors, start-up and shut-down.
#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLocale>
#include <QMenu>
#include <QPushButton>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "calc_expression.h"
#include "control_panel.h"
#include "main_window_test_support.h"
#include "quick_buttons.h"
#include "scoped_locale.h"
#include "user_function_store.h"
#include "value_list_editor.h"

namespace zc::test {

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void startsWithBannerEmptyLineAndEchoBelow() {
    WindowFixture f;
    TForm1& form = f.Open();
    const QStringList lines = f.LogLines();
    QCOMPARE(lines.size(), 5);
    QCOMPARE(lines[0], QStringLiteral("ZELTA CALC SYSTEM VER 1.00"));
    QCOMPARE(lines[2], QStringLiteral("Warning: You can not use a 2-bytes charactors."));
    QCOMPARE(lines[3], QString());
    QCOMPARE(form.EchoStart(), form.Log()->CaretPosition());
    QCOMPARE(form.InsertPos(), 0);
    QVERIFY(!form.JustEvaluated());
    QVERIFY(f.errors.isEmpty());
    QCOMPARE(form.windowTitle(), QStringLiteral("ZELTA CALC SYSTEM"));
  }

  void consoleFontsFindMonospaceAndJapaneseFaces() {
    WindowFixture f;
    TForm1& form = f.Open();
    QVERIFY(QFontInfo(form.Log()->font()).fixedPitch());
    QVERIFY(QFontInfo(form.InputLine()->font()).fixedPitch());
    const QFontMetrics gothic(QFont(QStringLiteral("ＭＳ Ｐゴシック")));
    QVERIFY(gothic.inFontUcs4(U'角'));
  }

  void echoMirrorsTypingAndEnterPrintsBelowIt() {
    WindowFixture f;
    TForm1& form = f.Open();
    f.Type(QStringLiteral("1+2"));
    QCOMPARE(f.LastLogLine(), QStringLiteral("1+2"));
    QCOMPARE(form.InsertPos(), 3);
    f.Enter();
    QCOMPARE(f.LinesAfterBanner(), (QStringList{"1+2", "  3", ""}));
    QVERIFY(form.JustEvaluated());
    QCOMPARE(form.EchoStart(), form.Log()->CaretPosition());
    QCOMPARE(form.InputLine()->Text(), QString());

    f.Type(QStringLiteral("4"));
    QCOMPARE(f.LinesAfterBanner(), (QStringList{"1+2", "  3", "4"}));
    QVERIFY(!form.JustEvaluated());
  }

  void backspaceEchoesTheShorterLine() {
    WindowFixture f;
    f.Open();
    f.Type(QStringLiteral("123"));
    QTest::keyClick(f.Edit(), Qt::Key_Backspace);
    QCOMPARE(f.LastLogLine(), QStringLiteral("12"));
    QCOMPARE(f.form->InsertPos(), 2);
  }

  void shiftEnterKeepsTheLine() {
    WindowFixture f;
    TForm1& form = f.Open();
    f.Type(QStringLiteral("2*3"));
    f.Enter(Qt::ShiftModifier);
    QCOMPARE(form.InputLine()->Text(), QStringLiteral("2*3"));
    QCOMPARE(f.LinesAfterBanner(), (QStringList{"2*3", "  6", ""}));
    // The next change echoes below the output, not over it.
    f.Type(QStringLiteral("+1"));
    QCOMPARE(f.LinesAfterBanner(), (QStringList{"2*3", "  6", "2*3+1"}));
  }

  void commaListPrintsEveryAnswerAndErrorDetail() {
    WindowFixture f;
    f.Open();
    f.Type(QStringLiteral("1, 2, 3"));
    f.Enter();
    QCOMPARE(f.LinesAfterBanner(), (QStringList{"1, 2, 3", "  1", "  2", "  3", ""}));
    f.Type(QStringLiteral("1/0"));
    f.Enter();
    QCOMPARE(f.LogLines().mid(f.LogLines().size() - 3), (QStringList{"1/0", "  ERROR 14", ""}));
  }

  void enterOnEmptyLinePrintsNothingButAddsHistory() {
    WindowFixture f;
    TForm1& form = f.Open();
    f.Type(QStringLiteral("5"));
    f.Enter();
    const QString before = form.Log()->document()->toPlainText();
    f.Enter();
    QCOMPARE(form.Log()->document()->toPlainText(), before);
    QCOMPARE(form.LastValue(), 5.0L);
    QVERIFY(form.JustEvaluated());
    QCOMPARE(form.InputLine()->History(), (QStringList{QString(), "5"}));
    QCOMPARE(form.Variables(), NameValueList{"ANS=5"});
  }

  void historyIsNewestFirstAndKeepsDuplicates() {
    WindowFixture f;
    TForm1& form = f.Open();
    for (const char* line : {"1", "2", "1"}) {
      f.Type(QString::fromLatin1(line));
      f.Enter();
    }
    QCOMPARE(form.InputLine()->History(), (QStringList{"1", "2", "1"}));
    f.Type(QStringLiteral("7"));
    f.Enter(Qt::ShiftModifier);
    QCOMPARE(form.InputLine()->History().constFirst(), QStringLiteral("7"));
  }

  void choosingAHistoryEntryEchoesItAndEnterAddsItAgain() {
    WindowFixture f;
    TForm1& form = f.Open();
    for (const char* line : {"10", "20"}) {
      f.Type(QString::fromLatin1(line));
      f.Enter();
    }
    form.InputLine()->setCurrentIndex(1);
    emit form.InputLine()->activated(1);
    QCOMPARE(f.LastLogLine(), QStringLiteral("10"));
    f.Enter();
    QCOMPARE(form.InputLine()->History(), (QStringList{"10", "20", "10"}));
    QCOMPARE(form.LastValue(), 10.0L);
  }

  void digitBeforeAnyEvaluationShowsZero() {
    WindowFixture f;
    TForm1& form = f.Open();
    QTest::mouseClick(form.ControlPanel()->DigitButton(), Qt::LeftButton);
    QTest::mouseClick(form.ControlPanel()->FormatButton(), Qt::LeftButton);
    QCOMPARE(f.LinesAfterBanner(), (QStringList{"  0.00000000000000E+000", "  0", ""}));
    QCOMPARE(form.EchoStart(), form.Log()->CaretPosition());
  }

  void digitAlternatesNotationsAndEveryEvaluationResetsIt_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("exponent");
    QTest::addColumn<QString>("plain");
    QTest::newRow("hundred") << "100" << "  1.00000000000000E+002" << "  100";
    QTest::newRow("negative fraction") << "-1/8" << "  -1.25000000000000E-001" << "  -0.125";
    QTest::newRow("failed evaluation replaces the value") << "1/0" << "  0.00000000000000E+000" << "  0";
  }
  void digitAlternatesNotationsAndEveryEvaluationResetsIt() {
    QFETCH(QString, line);
    QFETCH(QString, exponent);
    QFETCH(QString, plain);
    WindowFixture f;
    TForm1& form = f.Open();
    f.Type(QStringLiteral("7"));
    f.Enter();
    QTest::mouseClick(form.ControlPanel()->DigitButton(), Qt::LeftButton);  // leaves PlainNext set
    f.Type(line);
    f.Enter();
    for (int round = 0; round < 2; ++round) {
      QTest::mouseClick(form.ControlPanel()->DigitButton(), Qt::LeftButton);
      QCOMPARE(f.LogLines().at(f.LogLines().size() - 2), exponent);
      QTest::mouseClick(form.ControlPanel()->FormatButton(), Qt::LeftButton);
      QCOMPARE(f.LogLines().at(f.LogLines().size() - 2), plain);
    }
    QCOMPARE(form.EchoStart(), form.Log()->CaretPosition());
  }

  void numbersReadWithAPointUnderADecimalCommaLocale() {
    const ScopedLocale german(kDecimalCommaLocale);
    if (!german.Active()) QSKIP(kMissingDecimalCommaLocale);
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    WindowFixture f;
    TForm1& form = f.Open();
    f.Type(QStringLiteral("1.25+0.25"));
    f.Enter();
    QCOMPARE(f.LogLines().at(f.LogLines().size() - 2), QStringLiteral("  1.5"));
    QTest::mouseClick(form.ControlPanel()->DigitButton(), Qt::LeftButton);
    QCOMPARE(f.LogLines().at(f.LogLines().size() - 2), QStringLiteral("  1.50000000000000E+000"));
    QTest::mouseClick(form.ControlPanel()->FormatButton(), Qt::LeftButton);
    QCOMPARE(f.LogLines().at(f.LogLines().size() - 2), QStringLiteral("  1.5"));
    QLocale::setDefault(previous);
  }

  void clsEmptiesTheLogAndTheNextEchoStartsAtTheTop() {
    WindowFixture f;
    TForm1& form = f.Open();
    f.Type(QStringLiteral("1"));
    f.Enter();
    QTest::mouseClick(form.ControlPanel()->ClsButton(), Qt::LeftButton);
    QCOMPARE(form.Log()->document()->toPlainText(), QString());
    QCOMPARE(form.EchoStart(), 0);
    f.Type(QStringLiteral("9"));
    QCOMPARE(form.Log()->document()->toPlainText(), QStringLiteral("9"));
    form.MainMenu().clearConsole->trigger();
    QCOMPARE(form.Log()->document()->toPlainText(), QString());
  }

  void thrownConversionFailureShowsBoxAndKeepsEverything() {
    WindowFixture f;
    TForm1& form = f.Open();
    f.Type(QStringLiteral("4"));
    f.Enter();
    const int echoStart = form.EchoStart();
    f.Type(QStringLiteral("1.2.3"));
    f.Enter();
    QCOMPARE(f.errors, QStringList{QStringLiteral("'1.2.3' は浮動小数点数ではありません")});
    QCOMPARE(form.InputLine()->Text(), QStringLiteral("1.2.3"));
    QCOMPARE(form.InputLine()->History(), QStringList{"4"});
    QCOMPARE(form.EchoStart(), echoStart);
    QCOMPARE(form.LastValue(), 4.0L);
    QCOMPARE(f.LastLogLine(), QStringLiteral("1.2.3"));
  }

  void userSelectionInTheLogIsNotOverwrittenByOutput() {
    WindowFixture f;
    TForm1& form = f.Open();
    form.Log()->selectAll();
    f.Type(QStringLiteral("6*7"));
    f.Enter();
    QCOMPARE(f.LogLines().constFirst(), QStringLiteral("ZELTA CALC SYSTEM VER 1.00"));
    QCOMPARE(f.LinesAfterBanner(), (QStringList{"6*7", "  42", ""}));
  }

  void variablesGridShowsWhatTheEngineWrites() {
    WindowFixture f;
    TForm1& form = f.Open();
    f.Type(QStringLiteral("x=5"));
    f.Enter();
    QCOMPARE(form.Variables(), (NameValueList{"x=5", "ANS=5"}));
    QCOMPARE(form.VariablesGrid()->model()->rowCount(), 2);
    // An edit in the grid counts at the next evaluation.
    form.Variables()[0] = "x=6";
    form.VariablesGrid()->Refresh();
    f.Type(QStringLiteral("x*2"));
    f.Enter();
    QCOMPARE(form.LastValue(), 12.0L);
    QCOMPARE(form.VariablesCopy().back(), std::string("ANS=12"));
  }

  void angleSelectorDrivesTheEngine() {
    WindowFixture f;
    TForm1& form = f.Open();
    QCOMPARE(form.Engine().angleMode, AngleMode::Deg);
    form.ControlPanel()->SelectAngleMode(AngleMode::Rad);
    QCOMPARE(form.Engine().angleMode, AngleMode::Rad);
  }

  void logPopupOffersCopyOnlyWithASelection() {
    WindowFixture f;
    TForm1& form = f.Open();
    emit form.Log()->PopupMenu()->aboutToShow();
    QVERIFY(!form.Log()->CopyAction()->isEnabled());
    form.Log()->SelectAllAction()->trigger();
    emit form.Log()->PopupMenu()->aboutToShow();
    QVERIFY(form.Log()->CopyAction()->isEnabled());
    form.Log()->CopyAction()->trigger();
    QVERIFY(QGuiApplication::clipboard()->text().startsWith(QStringLiteral("ZELTA CALC SYSTEM")));
  }

  void savedLogHasCrLfLineEnds() {
    WindowFixture f;
    TForm1& form = f.Open();
    f.Type(QStringLiteral("1+1"));
    f.Enter();
    const QString path = f.dir.filePath(QStringLiteral("log.txt"));
    QVERIFY(form.SaveLog(path));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.endsWith("1+1\r\n  2\r\n"));
    QVERIFY(!bytes.contains("\n\n"));
    QCOMPARE(bytes.count("\r\n"), bytes.count('\n'));
  }

  void savingTheLogIntoAMissingFolderReportsIt() {
    WindowFixture f;
    TForm1& form = f.Open();
    QVERIFY(!form.SaveLog(f.dir.filePath(QStringLiteral("no/such/folder/log.txt"))));
    QCOMPARE(f.errors.size(), 1);
  }

  void missingConstantsAreReportedAndStartUpGoesOn() {
    WindowFixture f(/*withConstants=*/false);
    TForm1& form = f.Open();
    QCOMPARE(f.errors.size(), 1);
    QVERIFY(f.errors[0].contains(QStringLiteral("constants.txt")));
    QVERIFY(form.Engine().constants.empty());
    QCOMPARE(f.LogLines().constFirst(), QStringLiteral("ZELTA CALC SYSTEM VER 1.00"));
    QCOMPARE(form.QuickButtons()->PageSelector()->count(), 2);
    f.Type(QStringLiteral("pi"));
    f.Enter();
    QCOMPARE(f.LogLines().at(f.LogLines().size() - 2), QStringLiteral("  ERROR 12"));
  }

  void constantsAreReadAtStart() {
    WindowFixture f;
    TForm1& form = f.Open();
    QCOMPARE(form.Engine().constants, (NameValueList{"pi=3.14159265358979", "e=2.71828182845905"}));
  }

  void userFunctionsAreLoadedAtStartAndWrittenAtClose() {
    WindowFixture f;
    f.Write("Functions.inf", "[dbl]\r\nExplain=twice\r\nRunType=0\r\nParams=x\r\nSentence=x*2\r\n");
    TForm1& form = f.Open();
    QCOMPARE(form.Engine().userFunctions.size(), std::size_t{1});
    f.Type(QStringLiteral("dbl(21)"));
    f.Enter();
    QCOMPARE(form.LastValue(), 42.0L);

    form.Engine().userFunctions.front()->aSentence = "x*3";
    QVERIFY(form.close());
    UserFunctionList saved;
    LoadUserFunctions(saved, f.dir.filePath(QStringLiteral("Functions.inf")).toStdString(), true);
    QCOMPARE(saved.size(), std::size_t{1});
    QCOMPARE(saved.front()->aSentence, std::string("x*3"));
  }

  void functionsFileIsWrittenEvenWhenItDidNotExist() {
    WindowFixture f;
    f.Open();
    f.form.reset();  // destroyed without a close event
    QVERIFY(QFileInfo::exists(f.dir.filePath(QStringLiteral("Functions.inf"))));
  }

  void failedSaveAtCloseAsksAndKeepsTheWindowOpen() {
    WindowFixture f;
    TForm1& form = f.Open();
    // A folder in the file's place makes the write fail.
    QVERIFY(QDir(f.dir.path()).mkdir(QStringLiteral("Functions.inf")));
    form.show();
    f.closeAnswer = false;
    QVERIFY(!form.close());
    QCOMPARE(f.errors.size(), 1);
    QCOMPARE(f.closeQuestions.size(), 1);
    QVERIFY(form.isVisible());

    f.closeAnswer = true;
    QSignalSpy closed(&form, &TForm1::Closed);
    QVERIFY(form.close());
    QCOMPARE(closed.size(), 1);
  }

  void unreadableDataFilesAreReportedAtStartUp() {
    const struct {
      const char* file;
      bool fifo;  // else a folder
    } cases[] = {
        {"presets.txt", true}, {"presets.txt", false}, {"Functions.inf", true}, {"errors.txt", false}};
    for (const auto& c : cases) {
      WindowFixture f(true, nullptr);
      const QString path = f.dir.filePath(QString::fromLatin1(c.file));
      QVERIFY(c.fifo ? mkfifo(QFile::encodeName(path).constData(), 0600) == 0 : QDir().mkdir(path));
      TForm1& form = f.Open();
      form.CreateErrorDialog();
      QCOMPARE(f.errors.size(), 1);
      QVERIFY2(f.errors[0].contains(path), qPrintable(f.errors[0]));
      QCOMPARE(form.QuickButtons()->PageSelector()->count(), 0);
      QVERIFY(form.Engine().userFunctions.empty());
    }
  }

  void functionsFileThatLoadedWithLossesIsReplacedOnlyWhenTheUserAgrees() {
    const QByteArray notes = QByteArray("someone's notes, no functions\n").repeated(1000);
    for (const bool agree : {false, true}) {
      WindowFixture f;
      f.Write("Functions.inf", notes);
      TForm1& form = f.Open();
      form.Engine().userFunctions.push_back(std::make_unique<TUserFunction>());
      form.Engine().userFunctions.back()->aName = "made";
      form.show();
      f.prompts.answer = agree;
      QVERIFY(form.close());
      QCOMPARE(f.prompts.questions.size(), 1);
      QVERIFY(f.prompts.questions[0].contains(QStringLiteral("Functions.inf")));
      QFile file(f.dir.filePath(QStringLiteral("Functions.inf")));
      QVERIFY(file.open(QIODevice::ReadOnly));
      QCOMPARE(file.readAll().startsWith("[made]"), agree);
      f.form.reset();  // nothing more is written on destruction
      QVERIFY(file.seek(0));
      QCOMPARE(file.readAll() == notes, !agree);
      QCOMPARE(QDir(f.dir.path()).entryList(QDir::Files).size(), 3);
    }
  }

  void readOnlyFunctionsFileIsReportedAndKept() {
    WindowFixture f;
    const QByteArray old = "[dbl]\r\nSentence=x*2\r\n";
    f.Write("Functions.inf", old);
    const QString path = f.dir.filePath(QStringLiteral("Functions.inf"));
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    TForm1& form = f.Open();
    form.show();
    f.closeAnswer = true;
    QVERIFY(form.close());
    QCOMPARE(f.errors.size(), 1);
    QVERIFY(f.errors[0].contains(path));
    QCOMPARE(f.closeQuestions.size(), 1);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), old);
  }

  void leftoversOfInterruptedSavesGoAwayAtStartUp() {
    WindowFixture f;
    const pid_t ended = fork();
    if (ended == 0) _exit(0);
    waitpid(ended, nullptr, 0);
    const QString leftover = QStringLiteral("Functions.inf.zc-save-%1-Ab12Cd").arg(ended);
    f.Write(leftover.toLatin1().constData(), "[half");
    f.Write("notes.tmp-123456", "mine");
    f.Open();
    QVERIFY(!QFileInfo::exists(f.dir.filePath(leftover)));
    QVERIFY(QFileInfo::exists(f.dir.filePath(QStringLiteral("notes.tmp-123456"))));
  }

  void offClosesTheWindow() {
    WindowFixture f;
    TForm1& form = f.Open();
    form.show();
    QSignalSpy closed(&form, &TForm1::Closed);
    QTest::mouseClick(form.ControlPanel()->OffButton(), Qt::LeftButton);
    QCOMPARE(closed.size(), 1);
    QVERIFY(!form.isVisible());
  }
};

}  // namespace zc::test

QTEST_MAIN(zc::test::MainWindowTest)
#include "main_window_test.moc"
