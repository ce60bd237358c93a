// The graph tool window on the offscreen platform: range edits, banner,
// key filter, spacing, plotting, rows and saving.
#include "graph_tool_window.h"

#include "graph_view.h"
#include "metafile_walk.h"
#include "recording_prompts.h"
#include "xy_graph.h"
#include "xy_series_line.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

namespace zc {

class GraphToolWindowTest : public QObject {
  Q_OBJECT

 private:
  EngineContext context_;
  test::RecordingPrompts prompts_;
  QStringList& errors_ = prompts_.errors;
  std::unique_ptr<TForm5> form_;

  TForm5& Form() { return *form_; }
  void Reset() { QVERIFY(Form().SetGraphRange(10, -10, 5, 10, -10, 5, asNormal, asNormal)); }

 private slots:
  void init() {
    form_ = std::make_unique<TForm5>(context_, prompts_);
    errors_.clear();
    Reset();
  }
  void cleanup() { form_.reset(); }

  void openingShowsTheDefaultRange() {
    QCOMPARE(Form().windowTitle(), QStringLiteral("グラフ"));
    QCOMPARE(Form().Edit1->text(), QStringLiteral("10"));
    QCOMPARE(Form().Edit2->text(), QStringLiteral("-10"));
    QCOMPARE(Form().Edit3->text(), QStringLiteral("5"));
    QCOMPARE(Form().Edit6->text(), QStringLiteral("5"));
    QCOMPARE(Form().Graph().XAxis().TickStep(), 5.0);
    QVERIFY(Form().Panel6->isHidden());
  }

  void typingAnInvertedRangeShowsTheBannerAndKeepsTheAxis() {
    Form().Edit1->setText(QStringLiteral("-20"));
    QVERIFY(!Form().Panel6->isHidden());
    QCOMPARE(Form().Panel6->text(), QStringLiteral("軸の範囲を超えています"));
    QCOMPARE(Form().Graph().XAxis().Max(), 10.0);
    // The user's text stays; the next good edit clears the banner.
    QCOMPARE(Form().Edit1->text(), QStringLiteral("-20"));
    Form().Edit1->setText(QStringLiteral("0"));
    QVERIFY(Form().Panel6->isHidden());
    QCOMPARE(Form().Graph().XAxis().Max(), 0.0);
  }

  void tickStepMessages_data() {
    QTest::addColumn<QString>("step");
    QTest::addColumn<QString>("message");
    QTest::newRow("zero") << "0" << "目盛間隔はゼロ以下に設定できません";
    QTest::newRow("too fine") << "0.5" << "目盛間隔が小さすぎます";
    QTest::newRow("wider than the range") << "30" << "目盛間隔が軸の範囲を超えています";
  }
  void tickStepMessages() {
    QFETCH(QString, step);
    QFETCH(QString, message);
    Form().Edit3->setText(step);
    QCOMPARE(Form().Panel6->text(), message);
    QVERIFY(!Form().Panel6->isHidden());
    QCOMPARE(Form().Graph().XAxis().TickStep(), 5.0);
  }

  void choosingLogForANegativeRangeKeepsLinear() {
    Form().ComboBox2->setCurrentIndex(1);
    QCOMPARE(Form().Panel6->text(), QStringLiteral("最小値がゼロ以下のため、対数目盛にできません"));
    QCOMPARE(Form().Graph().YAxis().AxisScale(), asNormal);
  }

  void rangeEditsTakeOnlyNumberKeys() {
    Form().Edit1->clear();
    QTest::keyClicks(Form().Edit1, QStringLiteral("1a2e,E-3.5x"));
    QCOMPARE(Form().Edit1->text(), QStringLiteral("12E-3.5"));
    QTest::keyClick(Form().Edit1, Qt::Key_Backspace);
    QCOMPARE(Form().Edit1->text(), QStringLiteral("12E-3."));
    // Digits of other scripts would read as no number.
    QKeyEvent fullWidthFive(QEvent::KeyPress, 0, Qt::NoModifier, QStringLiteral("５"));
    QApplication::sendEvent(Form().Edit1, &fullWidthFive);
    QCOMPARE(Form().Edit1->text(), QStringLiteral("12E-3."));
  }

  void anUnreadableEditCountsAsZero() {
    Form().Edit2->setText(QStringLiteral("-"));
    QCOMPARE(Form().Graph().XAxis().Min(), 0.0);
    Form().Edit2->setText(QStringLiteral("-1,5"));
    QCOMPARE(Form().Graph().XAxis().Min(), 0.0);
  }

  void rangeEditsReadDecimalsAndExponents() {
    Form().Edit1->setText(QStringLiteral(" 2.5 "));
    QCOMPARE(Form().Graph().XAxis().Max(), 2.5);
    Form().Edit2->setText(QStringLiteral("-15E-1"));
    QCOMPARE(Form().Graph().XAxis().Min(), -1.5);
    Form().Edit3->setText(QStringLiteral(".5"));
    QCOMPARE(Form().Graph().XAxis().TickStep(), 0.5);
  }

  void trackBarFollowsTheRangeWidth() {
    Form().Edit2->setText(QStringLiteral("0"));
    Form().Edit3->setText(QStringLiteral("100"));
    Form().Edit1->setText(QStringLiteral("1000"));
    QCOMPARE(Form().TrackBar1->value(), -80);
    QCOMPARE(Form().PlotSpacingNow(), 0.2f);
    // Also while the user sets the spacing by hand.
    QTest::mouseClick(Form().SpeedButton1, Qt::LeftButton);
    QVERIFY(Form().TrackBar1->isEnabled());
    Form().Edit1->setText(QStringLiteral("2500"));
    QCOMPARE(Form().TrackBar1->value(), -50);
  }

  void automaticSpacingDisablesTheTrackBar() {
    QVERIFY(Form().SpeedButton1->isChecked());
    QVERIFY(!Form().TrackBar1->isEnabled());
    QVERIFY(!Form().Label8->isEnabled());
    QTest::mouseClick(Form().SpeedButton1, Qt::LeftButton);
    QVERIFY(Form().TrackBar1->isEnabled());
    QVERIFY(Form().Label9->isEnabled());
    // A double click on the group toggles the bar without the button.
    Form().GroupBox3DblClick();
    QVERIFY(!Form().TrackBar1->isEnabled());
    QVERIFY(!Form().SpeedButton1->isChecked());
  }

  void plottingSamplesTwoPointsPerRound() {
    Form().FormulaEdits[0]->setText(QStringLiteral("x^2"));
    QTest::mouseClick(Form().PlotButtons[0], Qt::LeftButton);
    const TXYLineSeries& s = Form().Series(0);
    QVERIFY(s.DataCount() >= 1000);
    QCOMPARE(s.XValue(0), -10.0);
    QCOMPARE(s.YValue(0), 100.0);
    QVERIFY(qAbs(s.XValue(1) - -9.98) < 1e-6);
    QVERIFY(errors_.isEmpty());
  }

  void clearingTheTextEmptiesTheCurve() {
    Form().PlotExpression(QStringLiteral("x"), 1);
    QVERIFY(Form().Series(1).DataCount() > 0);
    Form().PlotExpression(QString(), 1);
    QCOMPARE(Form().Series(1).DataCount(), 0);
  }

  void aMalformedNumberStopsPlottingWithItsMessage() {
    Form().PlotExpression(QStringLiteral("x+1.2.3"), 0);
    QCOMPARE(errors_.size(), 1);
    QVERIFY(errors_.front().contains(QStringLiteral("1.2.3")));
    QCOMPARE(Form().Series(0).DataCount(), 0);
  }

  void fewerRowsRemoveTheirCurvesAndKeepTheGraphHeight() {
    Form().show();
    QVERIFY(QTest::qWaitForWindowExposed(&Form()));
    Form().RadioGroup1Buttons->button(2)->click();
    QCoreApplication::processEvents();
    QVERIFY(Form().FormulaRows[2]->isVisibleTo(&Form()));
    const int graphHeight = Form().Panel1->height();
    const int windowHeight = Form().height();
    for (int i = 0; i < 3; ++i) Form().PlotExpression(QStringLiteral("x"), i);
    Form().RadioGroup1Buttons->button(0)->click();
    QCoreApplication::processEvents();
    QCOMPARE(Form().Series(0).DataCount() > 0, true);
    QCOMPARE(Form().Series(1).DataCount(), 0);
    QCOMPARE(Form().Series(2).DataCount(), 0);
    QVERIFY(!Form().FormulaRows[1]->isVisibleTo(&Form()));
    QCOMPARE(Form().height(), windowHeight - 2 * TForm5::kRowHeight);
    QCOMPARE(Form().Panel1->height(), graphHeight);
  }

  void savingAddsTheChosenTypesExtension() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    Form().PlotExpression(QStringLiteral("x"), 0);
    const QString bmp = Form().SaveGraphAs(dir.filePath(QStringLiteral("graph")), 0);
    QCOMPARE(bmp, dir.filePath(QStringLiteral("graph.bmp")));
    const QImage image(bmp, "BMP");
    QCOMPARE(image.size(), Form().Graph().ClientSize());

    const QString emf = Form().SaveGraphAs(dir.filePath(QStringLiteral("graph")), 1);
    QCOMPARE(emf, dir.filePath(QStringLiteral("graph.emf")));
    QFile file(emf);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(test::WalkEmf(file.readAll()).error, std::string());

    // A name with an extension is kept; the chosen type decides the format.
    const QString kept = Form().SaveGraphAs(dir.filePath(QStringLiteral("picture.png")), 0);
    QCOMPARE(kept, dir.filePath(QStringLiteral("picture.png")));
    QVERIFY(!QImage(kept, "BMP").isNull());
    QCOMPARE(Form().SaveGraphAs(dir.filePath(QStringLiteral("g")), 4), dir.filePath(QStringLiteral("g.pdf")));
  }

  void contextMenuHasItsThreeItems() {
    QCOMPARE(Form().C1->text(), QStringLiteral("ビットマップ形式でコピー(&B)"));
    QCOMPARE(Form().V1->text(), QStringLiteral("ベクター形式でコピー(&V)"));
    QCOMPARE(Form().S1->text(), QStringLiteral("名前を付けて保存(&S)..."));
  }
};

}  // namespace zc

QTEST_MAIN(zc::GraphToolWindowTest)
#include "graph_tool_window_test.moc"
