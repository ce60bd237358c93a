// The calculus tool window with the real engine behind it.
#include <QCheckBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <list>

#include "engine_context.h"
#include "lim_int_win.h"
#include "recording_prompts.h"

namespace zc {

class LimIntWinTest : public QObject {
  Q_OBJECT

 private:
  EngineContext context_;
  NameValueList grid_ = {"a=2", "ANS=7"};

  // Failures land in the list the test holds.
  class ErrorListPrompts : public test::RecordingPrompts {
   public:
    explicit ErrorListPrompts(QStringList* errors) : errors_(errors) {}
    void ShowError(QWidget*, const QString& message) override { *errors_ << message; }

   private:
    QStringList* errors_;
  };
  std::list<ErrorListPrompts> prompts_;  // one per window, kept as long as the test object

  std::unique_ptr<TLimIntWin> MakeWindow(QStringList* errors) {
    return std::make_unique<TLimIntWin>(context_, [this] { return grid_; }, prompts_.emplace_back(errors));
  }

 private slots:
  void integralOfOneOverTheUnitRangeShows1_0001() {
    QStringList errors;
    auto win = MakeWindow(&errors);
    win->ExpressionEdit->setText(QStringLiteral("1"));
    win->StartEdit->setText(QStringLiteral("0"));
    win->EndEdit->setText(QStringLiteral("1"));
    win->IntegralButton->click();
    QVERIFY(errors.isEmpty());
    QCOMPARE(win->IntegralEdit->text(), QStringLiteral("1.0001"));
    QCOMPARE(win->ProgressBar1->value(), 0);
    QCOMPARE(grid_, (NameValueList{"a=2", "ANS=7"}));  // the grid is never changed
  }

  void progressMovesDuringTheLoopAndReturnsToZero() {
    QStringList errors;
    auto win = MakeWindow(&errors);
    win->ExpressionEdit->setText(QStringLiteral("x*a"));
    win->StartEdit->setText(QStringLiteral("10"));
    win->EndEdit->setText(QStringLiteral("20"));
    QList<int> seen;
    bool buttonsDisabled = true;
    win->StripObserver = [&](int progress) {
      seen << win->ProgressBar1->value();
      buttonsDisabled = buttonsDisabled && !win->IntegralButton->isEnabled() &&
                        !win->SlopeButton->isEnabled();
      QCOMPARE(progress, seen.back());
    };
    win->IntegralButton->click();
    QVERIFY(seen.size() > 10000);
    QCOMPARE(seen.front(), 0);
    QCOMPARE(seen.back(), 100);
    QVERIFY(seen.contains(50));
    QVERIFY(buttonsDisabled);
    QCOMPARE(win->ProgressBar1->value(), 0);
    QVERIFY(win->IntegralButton->isEnabled());
    QCOMPARE(win->IntegralEdit->text(), QStringLiteral("300.04"));  // 2x from 10 to 20.001
  }

  void slopeOfASquareAtThree() {
    QStringList errors;
    auto win = MakeWindow(&errors);
    win->ExpressionEdit->setText(QStringLiteral("x*x"));
    win->PointEdit->setText(QStringLiteral("3"));
    win->SlopeButton->click();
    QVERIFY(errors.isEmpty());
    QCOMPARE(win->SlopeEdit->text(), QStringLiteral("6"));
    QVERIFY2(win->TangentEdit->text().startsWith(QStringLiteral("6x-9")),
             qPrintable(win->TangentEdit->text()));
  }

  void refusedCalculationsChangeNoResult_data() {
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end");
    QTest::addColumn<bool>("manual");
    QTest::addColumn<QString>("step");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty range") << "5" << "5" << false << "+10e-5" << "積分する範囲がありません";
    QTest::newRow("no number") << "0" << "1x" << false << "+10e-5" << "'1x' は浮動小数点数ではありません";
    QTest::newRow("zero step") << "0" << "1" << true << "0" << "ステップが 0 では積分が終わりません";
    QTest::newRow("wrong sign") << "0" << "1" << true << "-0.1"
                                << "ステップの符号が逆なので終了(x座標)に届きません";
    QTest::newRow("step unread while automatic") << "0" << "1" << false << "?"
                                                 << "'?' は浮動小数点数ではありません";
  }
  void refusedCalculationsChangeNoResult() {
    QFETCH(QString, start);
    QFETCH(QString, end);
    QFETCH(bool, manual);
    QFETCH(QString, step);
    QFETCH(QString, message);
    QStringList errors;
    auto win = MakeWindow(&errors);
    win->ExpressionEdit->setText(QStringLiteral("x"));
    win->StartEdit->setText(start);
    win->EndEdit->setText(end);
    win->ManualStepCheck->setChecked(manual);
    win->StepEdit->setText(step);
    win->IntegralEdit->setText(QStringLiteral("before"));
    win->IntegralButton->click();
    QCOMPARE(errors, QStringList{message});
    QCOMPARE(win->IntegralEdit->text(), QStringLiteral("before"));
  }

  void manualStepSwitchEnablesTheStepField() {
    QStringList errors;
    auto win = MakeWindow(&errors);
    QVERIFY(!win->StepEdit->isEnabled());
    win->ManualStepCheck->click();
    QVERIFY(win->StepEdit->isEnabled());
    win->ManualStepCheck->click();
    QVERIFY(!win->StepEdit->isEnabled());
  }

  void closingTheWindowStopsARunningIntegral() {
    QStringList errors;
    auto win = MakeWindow(&errors);
    win->show();
    win->ExpressionEdit->setText(QStringLiteral("x"));
    win->StartEdit->setText(QStringLiteral("0"));
    win->EndEdit->setText(QStringLiteral("1"));
    win->IntegralEdit->setText(QStringLiteral("before"));
    int strips = 0;
    win->StripObserver = [&](int) {
      if (++strips == 100) QTimer::singleShot(0, win.get(), [&] { win->OKBtn->click(); });
    };
    win->IntegralButton->click();
    QVERIFY(strips < 200);
    QVERIFY(!win->IntegralRunning());
    QVERIFY(!win->isVisible());
    QCOMPARE(win->IntegralEdit->text(), QStringLiteral("before"));
    QCOMPARE(win->ProgressBar1->value(), 0);
    QVERIFY(win->IntegralButton->isEnabled());
  }

  void aSecondStartDuringTheLoopDoesNotNest() {
    QStringList errors;
    auto win = MakeWindow(&errors);
    win->ExpressionEdit->setText(QStringLiteral("1"));
    win->StartEdit->setText(QStringLiteral("0"));
    win->EndEdit->setText(QStringLiteral("1"));
    int strips = 0;
    int depth = 0, deepest = 0;
    win->StripObserver = [&](int) {
      ++strips;
      ++depth;
      deepest = std::max(deepest, depth);
      if (strips == 10) win->IntegralButtonClick();  // as a second press would
      --depth;
    };
    win->IntegralButton->click();
    QCOMPARE(deepest, 1);
    QCOMPARE(strips, 10001);
    QCOMPARE(win->IntegralEdit->text(), QStringLiteral("1.0001"));
  }
};

}  // namespace zc

QTEST_MAIN(zc::LimIntWinTest)
#include "lim_int_win_test.moc"
