// Quick buttons, the function menus, the user function menu, and the tools
// the main window opens.
#include <QAction>
#include <QComboBox>
#include <QDockWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSlider>
#include <QStatusBar>
#include <QToolButton>

#include "const_dlg.h"
#include "control_panel.h"
#include "function_menus.h"
#include "main_window_test_support.h"
#include "quick_buttons.h"
#include "tenkeys.h"

namespace zc::test {

namespace {

QAction* FindAction(QWidget* root, const QString& text) {
  for (QAction* action : root->findChildren<QAction*>()) {
    if (action->text() == text) return action;
  }
  return nullptr;
}

QMenu* UserFunctionMenu(TForm1& form) { return form.MainMenu().userFunctions->Menu(); }

}  // namespace

class QuickButtonsTest : public QObject {
  Q_OBJECT

 private slots:
  void firstPageFillsTheButtonsAndAllPagesAreListed() {
    WindowFixture f;
    TForm1& form = f.Open();
    TQuickButtons* quick = form.QuickButtons();
    QCOMPARE(quick->PageSelector()->count(), 2);
    QCOMPARE(quick->PageSelector()->currentText(), QStringLiteral("1stF"));
    QCOMPARE(quick->Button(0)->objectName(), QStringLiteral("Button3"));
    QCOMPARE(quick->Button(11)->objectName(), QStringLiteral("Button19"));
    QCOMPARE(quick->Button(2)->text(), QStringLiteral("sqr"));
    QVERIFY(quick->Button(2)->isEnabled());
    // A page of three leaves nine buttons blank and disabled.
    for (int i = 3; i < kQuickButtonCount; ++i) {
      QVERIFY(!quick->Button(i)->isEnabled());
      QCOMPARE(quick->Button(i)->text(), QString());
    }
  }

  void aPageOfThirteenShowsTheFirstTwelve() {
    WindowFixture f;
    TForm1& form = f.Open();
    TQuickButtons* quick = form.QuickButtons();
    quick->PageSelector()->setCurrentIndex(1);
    emit quick->PageSelector()->activated(1);
    QCOMPARE(quick->Button(0)->text(), QStringLiteral("1"));
    QCOMPARE(quick->Button(11)->text(), QStringLiteral("12"));
    QCOMPARE(quick->Button(11)->statusTip(), QStringLiteral("l"));
    for (int i = 0; i < kQuickButtonCount; ++i) QVERIFY(quick->Button(i)->isEnabled());
    // An unknown page changes nothing.
    quick->LoadQuickPage(QStringLiteral("nowhere"));
    QCOMPARE(quick->Button(0)->text(), QStringLiteral("1"));
  }

  void withoutPresetsThereAreNoPages() {
    WindowFixture f(true, nullptr);
    TForm1& form = f.Open();
    QCOMPARE(form.QuickButtons()->PageSelector()->count(), 0);
    QVERIFY(!form.QuickButtons()->Button(0)->isEnabled());
    QVERIFY(f.errors.isEmpty());
  }

  void aButtonInsertsItsTextAtInsertPos() {
    WindowFixture f;
    TForm1& form = f.Open();
    f.Type(QStringLiteral("1+"));
    QTest::mouseClick(form.QuickButtons()->Button(0), Qt::LeftButton);
    QCOMPARE(form.InputLine()->Text(), QStringLiteral("1+sin"));
    QCOMPARE(form.InputLine()->CaretPosition(), 5);
    QCOMPARE(form.InsertPos(), 5);
    QCOMPARE(f.LastLogLine(), QStringLiteral("1+sin"));
    QVERIFY(form.InputLine()->hasFocus() || !form.isVisible());
  }

  void insertionFollowsInsertPosNotTheEnd() {
    WindowFixture f;
    TForm1& form = f.Open();
    f.Type(QStringLiteral("(2)"));
    // Moving the caret with an arrow key does not move the insertion point;
    // a character key counts one further, the change sets it to the caret.
    QTest::keyClick(f.Edit(), Qt::Key_Home);
    QCOMPARE(form.InsertPos(), 3);
    QTest::keyClicks(f.Edit(), QStringLiteral("-"));
    QCOMPARE(form.InsertPos(), 1);
    QTest::mouseClick(form.QuickButtons()->Button(1), Qt::LeftButton);
    QCOMPARE(form.InputLine()->Text(), QStringLiteral("-cos(2)"));
    QCOMPARE(form.InsertPos(), 4);
  }

  void quickExecutionAppliesTheFunctionToABareNumber() {
    WindowFixture f;
    TForm1& form = f.Open();
    form.QuickButtons()->QuickExecutionToggle()->click();
    QVERIFY(form.QuickButtons()->QuickExecution());
    f.Type(QStringLiteral("16"));
    QTest::mouseClick(form.QuickButtons()->Button(2), Qt::LeftButton);
    QCOMPARE(f.LinesAfterBanner(), (QStringList{"16", "sqr(16)", "", "  4", ""}));
    QCOMPARE(form.InputLine()->Text(), QString());
    QCOMPARE(form.InputLine()->History(), QStringList{"16"});
    QCOMPARE(form.EchoStart(), form.Log()->CaretPosition());
    f.Type(QStringLiteral("1"));
    QCOMPARE(f.LinesAfterBanner(), (QStringList{"16", "sqr(16)", "", "  4", "1"}));
  }

  void quickExecutionNeedsMoreThanOneCharacter() {
    WindowFixture f;
    TForm1& form = f.Open();
    form.QuickButtons()->QuickExecutionToggle()->click();
    f.Type(QStringLiteral("5"));
    QTest::mouseClick(form.QuickButtons()->Button(2), Qt::LeftButton);
    QCOMPARE(form.InputLine()->Text(), QStringLiteral("5sqr"));
  }

  void quickExecutionAfterEnterKeepsApplyingToAns() {
    WindowFixture f;
    TForm1& form = f.Open();
    form.QuickButtons()->QuickExecutionToggle()->click();
    f.Type(QStringLiteral("2+2"));
    f.Enter();
    QTest::mouseClick(form.QuickButtons()->Button(2), Qt::LeftButton);
    QCOMPARE(form.LastValue(), 2.0L);
    QVERIFY(form.JustEvaluated());
    QTest::mouseClick(form.QuickButtons()->Button(2), Qt::LeftButton);
    QCOMPARE(f.LogLines().at(f.LogLines().size() - 4), QStringLiteral("sqr(2)"));
    // The history gets the (empty) input line at the bottom each time.
    QCOMPARE(form.InputLine()->History(), (QStringList{"2+2", "", ""}));
  }

  void ansButtonInsertsAnsEvenWithQuickExecution() {
    WindowFixture f;
    TForm1& form = f.Open();
    form.QuickButtons()->QuickExecutionToggle()->click();
    f.Type(QStringLiteral("12"));
    QTest::mouseClick(form.ControlPanel()->AnsButton(), Qt::LeftButton);
    QCOMPARE(form.InputLine()->Text(), QStringLiteral("12ANS"));
  }

  void functionMenusInsertTheNameBeforeTheParenthesis_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("inserted");
    QTest::addColumn<QString>("hint");
    QTest::newRow("general") << "logn(b,x)" << "logn" << "bを基数とするxの対数を求めます";
    QTest::newRow("trigonometric") << "arccot(x)" << "arccot" << "xのアークコタンジェントを計算します";
    QTest::newRow("practical") << "taxn(n,x)" << "taxn" << "税率をn%とした税込み価格を計算します";
    QTest::newRow("statistical") << "deviation(n1,n2,..nx)" << "deviation" << "パラメータの標準偏差を計算します";
  }
  void functionMenusInsertTheNameBeforeTheParenthesis() {
    QFETCH(QString, caption);
    QFETCH(QString, inserted);
    QFETCH(QString, hint);
    WindowFixture f;
    TForm1& form = f.Open();
    QAction* action = FindAction(form.menuBar(), caption);
    QVERIFY(action != nullptr);
    QCOMPARE(action->statusTip(), hint);
    action->trigger();
    QCOMPARE(form.InputLine()->Text(), inserted);
  }

  void fixedMenusHoldEveryFunction() {
    std::size_t items = 0;
    for (const FunctionMenu& menu : FixedFunctionMenus()) items += menu.items.size();
    QCOMPARE(items, std::size_t{22 + 18 + 5 + 7});
  }

  void userFunctionMenuIsRebuiltWhenOpened() {
    WindowFixture f;
    TForm1& form = f.Open();
    QMenu* menu = UserFunctionMenu(form);
    emit menu->aboutToShow();
    QCOMPARE(menu->actions().size(), 1);
    QVERIFY(menu->actions()[0]->isVisible());
    QVERIFY(!menu->actions()[0]->isEnabled());

    auto function = std::make_unique<TUserFunction>();
    function->aName = "f";
    function->aParams = "x";
    function->aExplain = "test function";
    form.Engine().userFunctions.push_back(std::move(function));
    emit menu->aboutToShow();
    emit menu->aboutToShow();  // rebuilt, not appended to
    QCOMPARE(menu->actions().size(), 2);
    QVERIFY(!menu->actions()[0]->isVisible());
    QAction* item = menu->actions()[1];
    QCOMPARE(item->text(), QStringLiteral("f(x)"));
    QCOMPARE(item->statusTip(), QStringLiteral("test function"));
    item->trigger();
    QCOMPARE(form.InputLine()->Text(), QStringLiteral("f"));

    form.Engine().userFunctions.clear();
    emit menu->aboutToShow();
    QCOMPARE(menu->actions().size(), 1);
    QVERIFY(menu->actions()[0]->isVisible());
  }

  void menusHaveEveryItemAndTheLaterToolsAreDisabled() {
    WindowFixture f;
    TForm1& form = f.Open();
    const TMainMenu& menu = form.MainMenu();
    QCOMPARE(menu.exit->text(), QStringLiteral("終了(&X)"));
    QCOMPARE(menu.saveLog->text(), QStringLiteral("ログに名前を付けて保存(&S)..."));
    QVERIFY(!menu.graphTool->isEnabled());
    QVERIFY(menu.quadraticTool->isVisible());
    QVERIFY(!menu.quadraticTool->isEnabled());
    QVERIFY(menu.tenkeys->isEnabled());
    QVERIFY(menu.about->isEnabled());
    QStringList titles;
    for (QAction* action : form.menuBar()->actions()) titles << action->text();
    QCOMPARE(titles, (QStringList{"ファイル(&F)", "ファンクション(&C)", "オプション(&O)", "ヘルプ(&H)"}));
  }

  void hintsShowInTheStatusBar() {
    WindowFixture f;
    TForm1& form = f.Open();
    form.MainMenu().saveLog->showStatusText(&form);
    QCOMPARE(form.statusBar()->currentMessage(), form.MainMenu().saveLog->statusTip());
    QStatusTipEvent tip(form.QuickButtons()->Button(0)->statusTip());
    QApplication::sendEvent(form.QuickButtons()->Button(0), &tip);
    QCOMPARE(form.statusBar()->currentMessage(), QStringLiteral("sin"));
  }

  void controlPanelIsDockedRight() {
    WindowFixture f;
    TForm1& form = f.Open();
    QCOMPARE(form.ControlPanelDock()->windowTitle(), QStringLiteral("コントロールパネル"));
    QCOMPARE(form.dockWidgetArea(form.ControlPanelDock()), Qt::RightDockWidgetArea);
    QVERIFY(!form.ControlPanel()->BasicButton()->isEnabled());
    QVERIFY(!form.ControlPanel()->TextButton()->isEnabled());
  }

  void constantsDialogEditsTheEnginesConstants() {
    WindowFixture f;
    TForm1& form = f.Open();
    QVERIFY(!form.MainMenu().constants->isEnabled());
    form.CreateConstantsDialog();
    QVERIFY(form.MainMenu().constants->isEnabled());
    TConstDlg* dialog = form.ConstantsDialog();
    dialog->show();
    dialog->Button2Click();  // delete the current (first) constant
    dialog->done(0);
    QCOMPARE(form.Engine().constants, NameValueList{"e=2.71828182845905"});
  }

  void tenkeyPadMirrorsTheInputLineBothWays() {
    WindowFixture f;
    TForm1& form = f.Open();
    form.show();
    form.MainMenu().tenkeys->trigger();
    QPointer<TTenkeys> pad = form.Tenkeys();
    QVERIFY(pad != nullptr);
    f.Type(QStringLiteral("12"));
    QCOMPARE(pad->Edit()->text(), QStringLiteral("12"));
    pad->PressKey(QStringLiteral("3"));
    QCOMPARE(form.InputLine()->Text(), QStringLiteral("123"));
    QCOMPARE(f.LastLogLine(), QStringLiteral("123"));
    form.MainMenu().userFunctions->Menu();
    FindAction(form.menuBar(), QStringLiteral("sqr(x)"))->trigger();
    QCOMPARE(pad->Edit()->text(), QStringLiteral("123sqr"));
    QCOMPARE(pad->PadPos(), 6);
    f.Enter();
    QCOMPARE(pad->Edit()->text(), QString());
    // The same item closes it; the pad frees itself.
    form.MainMenu().tenkeys->trigger();
    QTRY_VERIFY(pad.isNull());
  }
};

}  // namespace zc::test

QTEST_MAIN(zc::test::QuickButtonsTest)
#include "quick_buttons_test.moc"
