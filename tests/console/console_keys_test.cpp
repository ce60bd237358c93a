// The main window in daily use: the history on the arrow keys, name
// completion, errors explained in the status bar, reusing results from the
// log, and the keyboard shortcuts.
#include <QAbstractItemView>
#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

#include "completion_popup.h"
#include "control_panel.h"
#include "exp_error.h"
#include "main_window_test_support.h"
#include "tenkeys.h"
#include "user_function.h"

namespace zc::test {

namespace {

// Runs `check` on the modal dialog as soon as it is up, then closes it.
void WhenModalShows(const std::function<void(QWidget* dialog)>& check) {
  QTimer::singleShot(0, [check] {
    QWidget* dialog = QApplication::activeModalWidget();
    check(dialog);
    if (dialog != nullptr) dialog->close();
  });
}

}  // namespace

class ConsoleKeysTest : public QObject {
  Q_OBJECT

  static void EnterLines(WindowFixture& f, const QStringList& lines) {
    for (const QString& line : lines) {
      f.Type(line);
      f.Enter();
    }
  }

  static void DoubleClickLogLine(TForm1& form, int line) {
    TConsoleLog* log = form.Log();
    const QTextCursor cursor(log->document()->findBlockByNumber(line));
    QTest::mouseDClick(log->viewport(), Qt::LeftButton, Qt::NoModifier, log->cursorRect(cursor).center() + QPoint(3, 0));
  }

  static int LineIndex(const WindowFixture& f, const QString& text) {
    return static_cast<int>(f.LogLines().lastIndexOf(text));
  }

 private slots:
  // ---- History on the arrow keys --------------------------------------------

  void upRecallsTheNewestEntryFirstAndDownReturnsToTheDraft() {
    WindowFixture f;
    TForm1& form = f.Open();
    EnterLines(f, {"f(1)", "1+1", "2+2", "3+3"});
    f.Type(QStringLiteral("7*"));
    const std::pair<Qt::Key, const char*> steps[] = {
        {Qt::Key_Up, "3+3"},   {Qt::Key_Up, "2+2"},   {Qt::Key_Up, "1+1"},  {Qt::Key_Up, "f(1)"},
        {Qt::Key_Up, "f(1)"},  {Qt::Key_Down, "1+1"}, {Qt::Key_Down, "2+2"}, {Qt::Key_Down, "3+3"},
        {Qt::Key_Down, "7*"},  {Qt::Key_Down, "7*"},
    };
    for (const auto& [key, expected] : steps) {
      QTest::keyClick(f.Edit(), key);
      QCOMPARE(form.InputLine()->Text(), QString::fromUtf8(expected));
      QCOMPARE(f.LastLogLine(), QString::fromUtf8(expected));  // echoed like typing
      QCOMPARE(form.InsertPos(), int(qstrlen(expected)));
    }
  }

  void afterEnterTheWalkStartsAgainFromTheNewest() {
    WindowFixture f;
    TForm1& form = f.Open();
    EnterLines(f, {"1", "2", "3"});
    QTest::keyClick(f.Edit(), Qt::Key_Up);
    QTest::keyClick(f.Edit(), Qt::Key_Up);
    QCOMPARE(form.InputLine()->Text(), QStringLiteral("2"));
    f.Enter();
    f.Type(QStringLiteral("40"));
    f.Enter();
    QTest::keyClick(f.Edit(), Qt::Key_Up);
    QCOMPARE(form.InputLine()->Text(), QStringLiteral("40"));
    QTest::keyClick(f.Edit(), Qt::Key_Up);
    QCOMPARE(form.InputLine()->Text(), QStringLiteral("2"));
  }

  void theTenKeyPadWalksTheSameHistory() {
    WindowFixture f;
    TForm1& form = f.Open();
    EnterLines(f, {"1+1", "2+2", "3+3"});
    form.show();
    form.MainMenu().tenkeys->trigger();
    TTenkeys* pad = form.Tenkeys();
    QVERIFY(pad != nullptr);
    pad->PressKey(QStringLiteral("▲"));
    QCOMPARE(form.InputLine()->Text(), QStringLiteral("3+3"));
    QCOMPARE(pad->Edit()->text(), QStringLiteral("3+3"));
    QCOMPARE(pad->PadPos(), 3);
    QTest::keyClick(f.Edit(), Qt::Key_Up);  // the input line goes on from there
    QCOMPARE(pad->Edit()->text(), QStringLiteral("2+2"));
    pad->PressKey(QStringLiteral("▼"));
    QCOMPARE(form.InputLine()->Text(), QStringLiteral("3+3"));
    pad->PressKey(QStringLiteral("▼"));
    QCOMPARE(form.InputLine()->Text(), QString());
    QCOMPARE(f.LastLogLine(), QString());
  }

  void theDropDownListOpensAtTheNewestEntry() {
    WindowFixture f;
    TForm1& form = f.Open();
    form.show();
    for (int i = 1; i <= 40; ++i) EnterLines(f, {QString::number(i)});
    form.InputLine()->showPopup();
    QAbstractItemView* list = form.InputLine()->view();
    QCOMPARE(list->currentIndex().row(), 0);
    QCOMPARE(list->model()->index(0, 0).data().toString(), QStringLiteral("40"));
    QCOMPARE(list->verticalScrollBar()->value(), list->verticalScrollBar()->minimum());
    form.InputLine()->hidePopup();
    QCOMPARE(form.InputLine()->Text(), QString());  // opening it changes nothing
  }

  // ---- Name completion -------------------------------------------------------

  void ctrlSpaceListsTheNamesStartingWithTheWordBeforeTheCaret() {
    WindowFixture f;
    f.Write("Functions.inf", "[sqdist]\r\nExplain=距離の二乗\r\nRunType=0\r\nParams=x,y\r\nSentence=x*x+y*y\r\n");
    TForm1& form = f.Open();
    form.show();
    EnterLines(f, {"sq_side=3"});
    f.Type(QStringLiteral("2*sq"));
    QTest::keyClick(f.Edit(), Qt::Key_Space, Qt::ControlModifier);
    TCompletionPopup* popup = form.Completion();
    QVERIFY(popup->isVisible());
    QCOMPARE(popup->Names(), (QStringList{"sq_side", "sqdist", "sqr", "squ"}));
    QCOMPARE(popup->topLevelItem(0)->text(1), QStringLiteral("3"));
    QCOMPARE(popup->topLevelItem(1)->text(1), QStringLiteral("距離の二乗"));
    QCOMPARE(popup->topLevelItem(2)->text(1), QStringLiteral("xの平方根(ルート)を計算します"));
    QCOMPARE(form.InputLine()->Text(), QStringLiteral("2*sq"));  // opening changes nothing
  }

  void enterOrTabInsertsTheChosenNameAndEscapeLeavesTheLine_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("line");
    QTest::newRow("Enter") << int(Qt::Key_Return) << "1+sin";
    QTest::newRow("Tab") << int(Qt::Key_Tab) << "1+sin";
    QTest::newRow("Escape") << int(Qt::Key_Escape) << "1+si";
  }
  void enterOrTabInsertsTheChosenNameAndEscapeLeavesTheLine() {
    QFETCH(int, key);
    QFETCH(QString, line);
    WindowFixture f;
    TForm1& form = f.Open();
    form.show();
    f.Type(QStringLiteral("1+si"));
    QTest::keyClick(f.Edit(), Qt::Key_Space, Qt::ControlModifier);
    TCompletionPopup* popup = form.Completion();
    QCOMPARE(popup->Names(), (QStringList{"sign", "sin", "sinh"}));
    QTest::keyClick(popup, Qt::Key_Down);
    QTest::keyClick(popup, Qt::Key(key));
    QVERIFY(!popup->isVisible());
    QCOMPARE(form.InputLine()->Text(), line);
    QCOMPARE(f.LastLogLine(), line);
    QCOMPARE(form.InsertPos(), int(line.size()));
    QCOMPARE(f.LinesAfterBanner(), QStringList{line});  // nothing was evaluated
  }

  void typingWhileTheListIsOpenNarrowsIt() {
    WindowFixture f;
    TForm1& form = f.Open();
    form.show();
    f.Type(QStringLiteral("s"));
    QTest::keyClick(f.Edit(), Qt::Key_Space, Qt::ControlModifier);
    TCompletionPopup* popup = form.Completion();
    QTest::keyClicks(popup, QStringLiteral("qu"));
    QCOMPARE(form.InputLine()->Text(), QStringLiteral("squ"));
    QCOMPARE(f.LastLogLine(), QStringLiteral("squ"));
    QCOMPARE(popup->Names(), QStringList{"squ"});
    QTest::keyClick(popup, Qt::Key_ParenLeft, Qt::NoModifier);  // not part of a name: the list goes
    QVERIFY(!popup->isVisible());
    QCOMPARE(form.InputLine()->Text(), QStringLiteral("squ("));
  }

  void completionNeverOpensByItselfAndEnterStillEvaluates() {
    WindowFixture f;
    TForm1& form = f.Open();
    form.show();
    f.Type(QStringLiteral("sqr(16)"));
    QVERIFY(!form.Completion()->isVisible());
    f.Enter();
    QCOMPARE(f.LinesAfterBanner(), (QStringList{"sqr(16)", "  4", ""}));
    // A word nothing completes opens nothing.
    f.Type(QStringLiteral("qqq"));
    QTest::keyClick(f.Edit(), Qt::Key_Space, Qt::ControlModifier);
    QVERIFY(!form.Completion()->isVisible());
  }

  // ---- Errors explained ------------------------------------------------------

  void anErrorIsExplainedInTheStatusBarUntilTheNextKey() {
    WindowFixture f;
    f.Write("errors.txt", kTestErrors);
    TForm1& form = f.Open();
    form.CreateErrorDialog();
    EnterLines(f, {"1/0"});
    QCOMPARE(f.LogLines().at(f.LogLines().size() - 2), QStringLiteral("  ERROR 14"));
    QCOMPARE(form.Note(), QStringLiteral("14 : ゼロで割った — 0 で割り算をしました。"));
    f.Type(QStringLiteral("2"));
    QCOMPARE(form.Note(), QString());

    EnterLines(f, {"+qqq"});  // "2+qqq"
    QCOMPARE(form.Note(), QStringLiteral("12 : 認識できない文字や名前 — 読めない名前があります。"));
    QTest::keyClick(f.Edit(), Qt::Key_Left);
    QCOMPARE(form.Note(), QString());
    EnterLines(f, {"1+1"});  // no error, no note
    QCOMPARE(form.Note(), QString());
    EnterLines(f, {"sin(1,2)"});  // ERROR 13 is not in this errors.txt
    QCOMPARE(form.Note(), QString());
  }

  void doubleClickOnAnErrorLineOpensTheExplanationAtItsCode() {
    WindowFixture f;
    f.Write("errors.txt", kTestErrors);
    TForm1& form = f.Open();
    form.CreateErrorDialog();
    form.show();
    EnterLines(f, {"1/0"});
    QString code;
    WhenModalShows([&](QWidget* dialog) {
      QCOMPARE(dialog, static_cast<QWidget*>(form.ErrorDialog()));
      code = form.ErrorDialog()->CodeText();
    });
    DoubleClickLogLine(form, LineIndex(f, QStringLiteral("  ERROR 14")));
    QCOMPARE(code, QStringLiteral("14"));
    QCOMPARE(form.ErrorDialog()->ExplanationText(), QStringLiteral("0 で割り算をしました。\n例 : 1/0"));
  }

  // ---- Reusing results -------------------------------------------------------

  void doubleClickOnAResultInsertsItAtTheCaret_data() {
    QTest::addColumn<QString>("clicked");
    QTest::addColumn<QString>("line");
    QTest::newRow("result") << "  42" << "1+42";
    QTest::newRow("further answer") << "  -0.5" << "1+-0.5";
    QTest::newRow("exponent form") << "  4.20000000000000E+001" << "1+4.20000000000000E+001";
    QTest::newRow("typed line") << "6*7, -1/2" << "1+";
    QTest::newRow("banner") << "ZELTA CALC SYSTEM VER 1.00" << "1+";
  }
  void doubleClickOnAResultInsertsItAtTheCaret() {
    QFETCH(QString, clicked);
    QFETCH(QString, line);
    WindowFixture f;
    TForm1& form = f.Open();
    form.show();
    EnterLines(f, {"6*7, -1/2"});
    QTest::mouseClick(form.ControlPanel()->DigitButton(), Qt::LeftButton);
    f.Type(QStringLiteral("1+"));
    DoubleClickLogLine(form, LineIndex(f, clicked));
    QCOMPARE(form.InputLine()->Text(), line);
    QCOMPARE(f.LastLogLine(), line);
    QCOMPARE(form.InsertPos(), int(line.size()));
    QVERIFY(!form.JustEvaluated());
  }

  void aResultGoesInWhereTheCaretIs() {
    WindowFixture f;
    TForm1& form = f.Open();
    form.show();
    EnterLines(f, {"7"});
    f.Type(QStringLiteral("()*2"));
    QTest::keyClick(f.Edit(), Qt::Key_Home);
    QTest::keyClick(f.Edit(), Qt::Key_Right);
    DoubleClickLogLine(form, LineIndex(f, QStringLiteral("  7")));
    QCOMPARE(form.InputLine()->Text(), QStringLiteral("(7)*2"));
    QCOMPARE(f.LastLogLine(), QStringLiteral("(7)*2"));
  }

  // ---- Shortcuts ---------------------------------------------------------------

  void eachShortcutReachesItsCommand_data() {
    QTest::addColumn<QKeySequence>("keys");
    QTest::newRow("Ctrl+L clears the console") << QKeySequence(Qt::CTRL | Qt::Key_L);
    QTest::newRow("Ctrl+S saves the log") << QKeySequence(Qt::CTRL | Qt::Key_S);
    QTest::newRow("Ctrl+Q ends the program") << QKeySequence(Qt::CTRL | Qt::Key_Q);
    QTest::newRow("F1 explains errors") << QKeySequence(Qt::Key_F1);
    QTest::newRow("Ctrl+Shift+C copies the last result") << QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C);
  }
  void eachShortcutReachesItsCommand() {
    QFETCH(QKeySequence, keys);
    WindowFixture f;
    f.Write("errors.txt", kTestErrors);
    TForm1& form = f.Open();
    form.CreateErrorDialog();
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    EnterLines(f, {"6*7"});
    QGuiApplication::clipboard()->clear();
    f.prompts.chosenFile = f.dir.filePath(QStringLiteral("saved.txt"));
    QSignalSpy closed(&form, &TForm1::Closed);
    QWidget* modal = nullptr;
    WhenModalShows([&](QWidget* dialog) { modal = dialog; });

    const QKeyCombination key = keys[0];
    QTest::keyClick(f.Edit(), key.key(), key.keyboardModifiers());

    const QString row = QString::fromUtf8(QTest::currentDataTag());
    QCOMPARE(form.Log()->document()->toPlainText().isEmpty(), row.contains("clears"));
    QCOMPARE(QFileInfo::exists(f.prompts.chosenFile), row.contains("saves"));
    QCOMPARE(closed.size(), row.contains("ends") ? 1 : 0);
    QCOMPARE(modal == form.ErrorDialog(), row.contains("explains"));
    QCOMPARE(QGuiApplication::clipboard()->text(), row.contains("copies") ? QStringLiteral("42") : QString());
    QTest::qWait(1);  // lets a timer that found no dialog run out
  }

  void menuItemsShowTheirShortcuts() {
    WindowFixture f;
    TForm1& form = f.Open();
    const TMainMenu& menu = form.MainMenu();
    const std::pair<QAction*, const char*> items[] = {
        {menu.clearConsole, "Ctrl+L"}, {menu.saveLog, "Ctrl+S"}, {menu.exit, "Ctrl+Q"},
        {menu.errorHelp, "F1"},        {form.CopyResultAction(), "Ctrl+Shift+C"},
    };
    for (const auto& [action, keys] : items) QCOMPARE(action->shortcut(), QKeySequence(QString::fromLatin1(keys)));
  }
};

}  // namespace zc::test

QTEST_MAIN(zc::test::ConsoleKeysTest)
#include "console_keys_test.moc"
