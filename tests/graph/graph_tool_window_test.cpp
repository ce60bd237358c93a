// The graph tool window on the offscreen platform: range edits, banner,
// key filter, spacing, plotting, rows and saving.
#include "graph_tool_window.h"

#include "calc_expression.h"
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
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QToolButton>
#include <QWheelEvent>
#include <QtTest>

#include <cmath>
#include <utility>

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
  void ShowWindow() {
    Form().show();
    QVERIFY(QTest::qWaitForWindowExposed(&Form()));
  }
  // The value an axis shows at a pixel of the last drawing.
  static double ValueUnder(const TGraphAxis& axis, double pixel) {
    return ValueAtFraction(AxisSpanOf(axis), FractionAtPixel(AxisPixelsOf(axis), pixel));
  }

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

  // The step of 5 stays in its edit while the range around it grows.
  void aRangeWidenedPastItsStepKeepsTheAxisReadable() {
    for (const char* yMax : {"690", "1E307"}) {
      Form().Edit4->setText(QString::fromLatin1(yMax));
      QVERIFY(Form().Panel6->isHidden());
      QCOMPARE(Form().Graph().YAxis().TickStep(), 5.0);
      const TGraphValueList& ticks = Form().Graph().YAxis().TickDataList();
      QVERIFY2(ticks.Count() >= 3 && ticks.Count() <= Form().Graph().YAxis().CurrTicksCount() + 1, yMax);
    }
    // Ticks stay on multiples of the typed step.
    const TGraphValueList& ticks = Form().Graph().YAxis().TickDataList();
    Form().Edit4->setText(QStringLiteral("690"));
    for (int i = 0; i < ticks.Count(); ++i) QCOMPARE(std::fmod(ticks.GetValue(i), 5.0), 0.0);
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

    // A typed picture extension decides the format, whatever type was chosen;
    // another extension is kept and the chosen type decides.
    const QString png = Form().SaveGraphAs(dir.filePath(QStringLiteral("picture.png")), 0);
    QCOMPARE(png, dir.filePath(QStringLiteral("picture.png")));
    QVERIFY(!QImage(png, "PNG").isNull());
    const QString typedEmf = Form().SaveGraphAs(dir.filePath(QStringLiteral("typed.EMF")), 0);
    QFile typed(typedEmf);
    QVERIFY(typed.open(QIODevice::ReadOnly));
    QCOMPARE(test::WalkEmf(typed.readAll()).error, std::string());
    const QString other = Form().SaveGraphAs(dir.filePath(QStringLiteral("picture.v1")), 0);
    QCOMPARE(other, dir.filePath(QStringLiteral("picture.v1")));
    QVERIFY(!QImage(other, "BMP").isNull());
    QCOMPARE(Form().SaveGraphAs(dir.filePath(QStringLiteral("g")), 4), dir.filePath(QStringLiteral("g.pdf")));
  }

  void contextMenuHasItsItems() {
    QCOMPARE(Form().C1->text(), QStringLiteral("ビットマップ形式でコピー(&B)"));
    QCOMPARE(Form().V1->text(), QStringLiteral("ベクター形式でコピー(&V)"));
    QCOMPARE(Form().S1->text(), QStringLiteral("名前を付けて保存(&S)..."));
    QCOMPARE(Form().R1->text(), QStringLiteral("範囲を元に戻す"));
    QVERIFY(Form().PopupMenu1->actions().contains(Form().R1));
  }

  // --- ranges ------------------------------------------------------------------

  void rangesTheAxesAccept_data() {
    QTest::addColumn<QList<double>>("range");  // x max, x min, y max, y min
    QTest::addColumn<QString>("message");      // empty: accepted
    QTest::newRow("x below zero") << QList<double>{-2, -7, 10, -10} << QString();
    QTest::newRow("x up to zero") << QList<double>{0, -5, 10, -10} << QString();
    QTest::newRow("x wholly below the opening range") << QList<double>{-20, -30, 10, -10} << QString();
    QTest::newRow("y below zero") << QList<double>{10, -10, -5, -10} << QString();
    QTest::newRow("y up to zero") << QList<double>{10, -10, 0, -1} << QString();
    QTest::newRow("x wider than any number") << QList<double>{1e308, -1e308, 10, -10}
                                             << QStringLiteral("軸の範囲が広すぎます");
    QTest::newRow("inverted") << QList<double>{-20, -10, 10, -10} << QStringLiteral("軸の範囲を超えています");
  }
  void rangesTheAxesAccept() {
    QFETCH(QList<double>, range);
    QFETCH(QString, message);
    const double xStep = std::max(std::fabs(range[0] - range[1]), 1.0) / 4;
    const double yStep = std::max(std::fabs(range[2] - range[3]), 1.0) / 4;
    const bool accepted = Form().SetGraphRange(range[0], range[1], xStep, range[2], range[3], yStep, asNormal, asNormal);
    QCOMPARE(accepted, message.isEmpty());
    if (accepted) {
      QVERIFY(Form().Panel6->isHidden());
      QCOMPARE(Form().Graph().XAxis().Max(), range[0]);
      QCOMPARE(Form().Graph().XAxis().Min(), range[1]);
      QCOMPARE(Form().Graph().YAxis().Max(), range[2]);
      QCOMPARE(Form().Graph().YAxis().Min(), range[3]);
      // And back to the opening range, as the main window does.
      Reset();
    } else {
      QCOMPARE(Form().Panel6->text(), message);
      QVERIFY(!Form().Panel6->isHidden());
    }
  }

  void rangesNextToTheLargestNumberKeepTheirGrid_data() {
    QTest::addColumn<QList<double>>("range");  // x max, x min, x step, y max, y min, y step
    QTest::newRow("x up to zero") << QList<double>{0, -1.6e308, 5e307, 10, -10, 5};
    QTest::newRow("x below -1e308") << QList<double>{-1e308, -1.7e308, 2e307, 10, -10, 5};
    QTest::newRow("y below -1e308") << QList<double>{10, -10, 5, -1e308, -1.7e308, 2e307};
    QTest::newRow("x from the most negative number") << QList<double>{0, -1.7976931348623157e308, 5e307, 10, -10, 5};
  }
  void rangesNextToTheLargestNumberKeepTheirGrid() {
    QFETCH(QList<double>, range);
    ShowWindow();
    QVERIFY(Form().SetGraphRange(range[0], range[1], range[2], range[3], range[4], range[5], asNormal, asNormal));
    Form().XYGraph1->grab();
    QVERIFY(Form().Panel6->isHidden());
    QCOMPARE(Form().Graph().XAxis().TickDataList().Count(), static_cast<int>((range[0] - range[1]) / range[2]) + 1);
    QCOMPARE(Form().Graph().YAxis().TickDataList().Count(), static_cast<int>((range[3] - range[4]) / range[5]) + 1);
  }

  void typingAWidthBeyondAnyNumberShowsItsMessage() {
    Form().Edit2->setText(QStringLiteral("-1E308"));
    Form().Edit1->setText(QStringLiteral("1E308"));
    QCOMPARE(Form().Panel6->text(), QStringLiteral("軸の範囲が広すぎます"));
    QVERIFY(std::isfinite(Form().Graph().XAxis().Max() - Form().Graph().XAxis().Min()));
  }

  // --- zoom and pan -----------------------------------------------------------------

  void zoomKeepsThePointUnderTheCursor_data() {
    QTest::addColumn<QList<double>>("range");  // x max, x min, x step, y max, y min, y step
    QTest::addColumn<int>("xScale");
    QTest::addColumn<QPointF>("at");  // share of the plot area
    QTest::addColumn<double>("xFactor");
    QTest::addColumn<double>("yFactor");
    const QList<double> opening{10, -10, 5, 10, -10, 5};
    QTest::newRow("in, off centre") << opening << int(asNormal) << QPointF(0.3, 0.7) << 0.8 << 0.8;
    QTest::newRow("in, near a corner") << opening << int(asNormal) << QPointF(0.97, 0.05) << 0.8 << 0.8;
    QTest::newRow("out") << opening << int(asNormal) << QPointF(0.6, 0.2) << 1.25 << 1.25;
    QTest::newRow("far in") << opening << int(asNormal) << QPointF(0.45, 0.55) << 0.01 << 0.01;
    QTest::newRow("x only") << opening << int(asNormal) << QPointF(0.8, 0.5) << 0.8 << 1.0;
    QTest::newRow("y only") << opening << int(asNormal) << QPointF(0.5, 0.1) << 1.0 << 0.8;
    QTest::newRow("y only, labels at the left edge") << QList<double>{100, 0, 25, 10, -10, 5} << int(asNormal)
                                                     << QPointF(0.3, 0.3) << 1.0 << 0.5;
    QTest::newRow("log x") << QList<double>{1000, 1, 100, 10, -10, 5} << int(asLog) << QPointF(0.25, 0.5) << 0.8
                           << 0.8;
    QTest::newRow("π x") << QList<double>{2 * M_PI, 0, M_PI / 2, 10, -10, 5} << int(asPi) << QPointF(0.7, 0.5)
                         << 0.5 << 1.0;
    QTest::newRow("axes at the edge") << QList<double>{100, 0, 25, 50, 0, 10} << int(asNormal) << QPointF(0.1, 0.9)
                                      << 0.8 << 0.8;
  }
  void zoomKeepsThePointUnderTheCursor() {
    QFETCH(QList<double>, range);
    QFETCH(int, xScale);
    QFETCH(QPointF, at);
    QFETCH(double, xFactor);
    QFETCH(double, yFactor);
    ShowWindow();
    QVERIFY(Form().SetGraphRange(range[0], range[1], range[2], range[3], range[4], range[5],
                                 static_cast<TAxisScale>(xScale), asNormal));
    Form().PlotExpression(QStringLiteral("x"), 0);
    Form().XYGraph1->grab();
    const QRect plot = Form().Graph().PlotArea();
    // The mouse is at whole pixels.
    const QPointF cursor(std::round(plot.left() + at.x() * plot.width()), std::round(plot.top() + at.y() * plot.height()));
    const double x = ValueUnder(Form().Graph().XAxis(), cursor.x());
    const double y = ValueUnder(Form().Graph().YAxis(), cursor.y());
    const TGraphRange before = Form().CurrentRange();

    QVERIFY(Form().ZoomAt(cursor, xFactor, yFactor));
    Form().XYGraph1->grab();
    // Along each zoomed axis the point stays within a pixel; an axis left
    // alone keeps its range exactly.
    const QPoint after = Form().Graph().GetXYPoint(x, y);
    const QString moved =
        QStringLiteral("(%1, %2) moved to (%3, %4)").arg(cursor.x()).arg(cursor.y()).arg(after.x()).arg(after.y());
    const TGraphRange now = Form().CurrentRange();
    if (xFactor == 1) {
      QCOMPARE(std::make_pair(now.xMin, now.xMax), std::make_pair(before.xMin, before.xMax));
    } else {
      QVERIFY2(std::fabs(after.x() - cursor.x()) <= 1, qPrintable(moved));
    }
    if (yFactor == 1) {
      QCOMPARE(std::make_pair(now.yMin, now.yMax), std::make_pair(before.yMin, before.yMax));
    } else {
      QVERIFY2(std::fabs(after.y() - cursor.y()) <= 1, qPrintable(moved));
    }
    // The panel follows, and the curve is sampled again over the new range.
    QCOMPARE(Form().Edit1->text(), QString::fromStdString(ResultText(now.xMax)));
    QCOMPARE(Form().Edit5->text(), QString::fromStdString(ResultText(now.yMin)));
    QCOMPARE(Form().Series(0).XValue(0), now.xMin);
    QVERIFY(Form().Panel6->isHidden());
    // The panel's range is still the one typed.
    QCOMPARE(Form().PanelRange().xMax, range[0]);
  }

  // Labels that reach or leave an edge of the plot move that edge; the
  // point under the cursor stays put all the same, anywhere in the plot and
  // step after step.
  void zoomKeepsThePointUnderTheCursorAcrossThePlot() {
    ShowWindow();
    for (const double factor : {0.8, 1.25}) {
      for (int i = 1; i < 8; i += 2) {
        for (int j = 1; j < 8; j += 2) {
          Reset();
          Form().XYGraph1->grab();
          const QRect plot = Form().Graph().PlotArea();
          const QPointF cursor(std::round(plot.left() + i / 8.0 * plot.width()),
                               std::round(plot.top() + j / 8.0 * plot.height()));
          const double x = ValueUnder(Form().Graph().XAxis(), cursor.x());
          const double y = ValueUnder(Form().Graph().YAxis(), cursor.y());
          for (int step = 0; step < 4; ++step) {
            QVERIFY(Form().ZoomAt(cursor, factor, factor));
            Form().XYGraph1->grab();
            const QPoint after = Form().Graph().GetXYPoint(x, y);
            QVERIFY2(std::fabs(after.x() - cursor.x()) <= 1 && std::fabs(after.y() - cursor.y()) <= 1,
                     qPrintable(QStringLiteral("factor %1, step %2: (%3, %4) moved to (%5, %6)")
                                    .arg(factor)
                                    .arg(step)
                                    .arg(cursor.x())
                                    .arg(cursor.y())
                                    .arg(after.x())
                                    .arg(after.y())));
          }
        }
      }
    }
  }

  void panMovesTheRangeByTheMatchingUnits_data() {
    QTest::addColumn<QPoint>("moved");
    QTest::newRow("right") << QPoint(40, 0);
    QTest::newRow("up") << QPoint(0, -30);
    QTest::newRow("left and down") << QPoint(-25, 35);
    QTest::newRow("beyond the whole width") << QPoint(-900, 0);
  }
  void panMovesTheRangeByTheMatchingUnits() {
    QFETCH(QPoint, moved);
    ShowWindow();
    Form().PlotExpression(QStringLiteral("x^2"), 0);
    Form().XYGraph1->grab();
    const TGraphAxis& xAxis = Form().Graph().XAxis();
    const TGraphAxis& yAxis = Form().Graph().YAxis();
    const double xPerPixel = (xAxis.Max() - xAxis.Min()) / xAxis.PlotSize();
    const double yPerPixel = (yAxis.Max() - yAxis.Min()) / yAxis.PlotSize();
    const TGraphRange before = Form().CurrentRange();
    const QPointF start = QRectF(Form().Graph().PlotArea()).center();

    Form().BeginPan(start);
    QVERIFY(Form().PanTo(start + QPointF(moved)));
    Form().EndPan();
    const TGraphRange now = Form().CurrentRange();
    // The picture follows the hand: dragging right shows smaller x, dragging
    // down larger y; within a pixel's worth.
    QVERIFY(std::fabs(now.xMin - (before.xMin - moved.x() * xPerPixel)) <= xPerPixel);
    QVERIFY(std::fabs(now.xMax - (before.xMax - moved.x() * xPerPixel)) <= xPerPixel);
    QVERIFY(std::fabs(now.yMin - (before.yMin + moved.y() * yPerPixel)) <= yPerPixel);
    QVERIFY(std::fabs(now.yMax - (before.yMax + moved.y() * yPerPixel)) <= yPerPixel);
    QCOMPARE(now.xStep, before.xStep);
    QCOMPARE(Form().Series(0).XValue(0), now.xMin);
    QCOMPARE(Form().Edit2->text(), QString::fromStdString(ResultText(now.xMin)));
  }

  void theMouseDrivesZoomPanAndReturn() {
    ShowWindow();
    Form().XYGraph1->grab();
    const QPoint centre = Form().Graph().PlotArea().center();
    const TGraphRange opening = Form().CurrentRange();
    const auto wheel = [&](Qt::KeyboardModifiers keys) {
      QWheelEvent event(QPointF(centre), QPointF(Form().XYGraph1->mapToGlobal(centre)), QPoint(), QPoint(0, 120),
                        Qt::NoButton, keys, Qt::NoScrollPhase, false);
      QApplication::sendEvent(Form().XYGraph1, &event);
    };
    wheel(Qt::ControlModifier);
    QVERIFY(Form().CurrentRange().xMax < opening.xMax);
    QCOMPARE(Form().CurrentRange().yMax, opening.yMax);
    wheel(Qt::ShiftModifier);
    QVERIFY(Form().CurrentRange().yMax < opening.yMax);
    const TGraphRange zoomed = Form().CurrentRange();
    wheel(Qt::NoModifier);
    QVERIFY(Form().CurrentRange().xMax < zoomed.xMax);
    QVERIFY(Form().CurrentRange().yMax < zoomed.yMax);

    QTest::mousePress(Form().XYGraph1, Qt::LeftButton, Qt::NoModifier, centre);
    QTest::mouseMove(Form().XYGraph1, centre + QPoint(50, 0));
    QTest::mouseRelease(Form().XYGraph1, Qt::LeftButton, Qt::NoModifier, centre + QPoint(50, 0));
    QVERIFY(Form().CurrentRange().xMax < zoomed.xMax - 1);

    QTest::mouseDClick(Form().XYGraph1, Qt::LeftButton, Qt::NoModifier, centre);
    const TGraphRange back = Form().CurrentRange();
    QCOMPARE(back.xMax, opening.xMax);
    QCOMPARE(back.xMin, opening.xMin);
    QCOMPARE(back.yMin, opening.yMin);
    QCOMPARE(back.yStep, opening.yStep);
    QCOMPARE(Form().Edit1->text(), QStringLiteral("10"));
  }

  void restoringReturnsToTheRangeLastTyped() {
    ShowWindow();
    Form().Edit1->setText(QStringLiteral("20"));
    QCOMPARE(Form().PanelRange().xMax, 20.0);
    Form().PlotExpression(QStringLiteral("x"), 0);
    QVERIFY(Form().ZoomAt(QPointF(100, 100), 0.5, 0.5));
    QCOMPARE(Form().PanelRange().xMax, 20.0);
    Form().R1->trigger();
    QCOMPARE(Form().CurrentRange().xMax, 20.0);
    QCOMPARE(Form().CurrentRange().yMax, 10.0);
    QCOMPARE(Form().Edit1->text(), QStringLiteral("20"));
    QCOMPARE(Form().Series(0).XValue(0), -10.0);
    // After zooming, what is typed becomes the range to return to.
    QVERIFY(Form().ZoomAt(QPointF(100, 100), 0.5, 0.5));
    Form().Edit3->setText(QStringLiteral("2"));
    const double typedMax = Form().CurrentRange().xMax;
    QCOMPARE(Form().PanelRange().xMax, typedMax);
    QVERIFY(Form().ZoomAt(QPointF(100, 100), 2, 2));
    QVERIFY(Form().RestorePanelRange());
    QCOMPARE(Form().CurrentRange().xMax, typedMax);
  }

  void aStepTheAxesRefuseShowsItsMessageAndKeepsTheRange() {
    ShowWindow();
    QVERIFY(Form().SetGraphRange(1e308, -1e307, 1e307, 10, -10, 5, asNormal, asNormal));
    Form().XYGraph1->grab();
    const TGraphRange before = Form().CurrentRange();
    const QString shownMax = Form().Edit1->text();
    QVERIFY(!Form().ZoomAt(QRectF(Form().Graph().PlotArea()).center(), 2, 2));
    QCOMPARE(Form().Panel6->text(), QStringLiteral("軸の範囲が広すぎます"));
    QVERIFY(!Form().Panel6->isHidden());
    QCOMPARE(Form().CurrentRange().xMax, before.xMax);
    QCOMPARE(Form().CurrentRange().xMin, before.xMin);
    QCOMPARE(Form().CurrentRange().yMax, before.yMax);
    QCOMPARE(Form().Edit1->text(), shownMax);
  }

  void readoutShowsTheValuesUnderTheCursor() {
    ShowWindow();
    Form().XYGraph1->grab();
    const QRect plot = Form().Graph().PlotArea();
    const QPoint origin = Form().Graph().GetXYPoint(0, 0);
    Form().ShowCursorPosition(origin);
    QCOMPARE(Form().Label10->text(), QStringLiteral("x = 0    y = 0"));
    Form().ShowCursorPosition(QPointF(Form().Graph().GetXYPoint(5, -5)));
    QCOMPARE(Form().Label10->text(), QStringLiteral("x = 5    y = -5"));
    Form().ShowCursorPosition(QPointF(plot.left() - 5, plot.top()));
    QCOMPARE(Form().Label10->text(), QString());
    // Under the graph, inside the graph panel.
    QVERIFY(Form().Label10->isVisibleTo(&Form()));
    QVERIFY(Form().Label10->geometry().top() >= Form().XYGraph1->geometry().bottom());
  }

  // --- pictures -------------------------------------------------------------------

  void thePlottersPictureIsTheSavedOne() {
    ShowWindow();
    QTemporaryDir dir;
    Form().RadioGroup1Buttons->button(2)->click();
    QCoreApplication::processEvents();
    const QStringList expressions = {QStringLiteral("sin(x*20)*5"), QStringLiteral("x^2/5-5"),
                                     QStringLiteral("tan(x*20)")};
    for (int i = 0; i < 3; ++i) Form().PlotExpression(expressions[i], i);
    const QString saved = Form().SaveGraphAs(dir.filePath(QStringLiteral("tool.bmp")), 0);
    const QSize size = Form().Graph().ClientSize();
    const QString plotted = dir.filePath(QStringLiteral("plot.bmp"));
    QProcess plotter;
    plotter.start(QStringLiteral(ZC_PLOT_EXECUTABLE),
                  QStringList{QStringLiteral("--size"), QStringLiteral("%1x%2").arg(size.width()).arg(size.height()),
                              QStringLiteral("--x"), QStringLiteral("-10:10:5"), QStringLiteral("--y"),
                              QStringLiteral("-10:10:5"), QStringLiteral("-o"), plotted} +
                      expressions);
    QVERIFY(plotter.waitForFinished(60000));
    QCOMPARE(plotter.exitCode(), 0);
    const QImage tool(saved, "BMP");
    const QImage plot(plotted, "BMP");
    QCOMPARE(plot.size(), tool.size());
    QVERIFY(plot == tool);
  }
};

}  // namespace zc

QTEST_MAIN(zc::GraphToolWindowTest)
#include "graph_tool_window_test.moc"
