// The on-screen host: it follows its own size and paints the graph's picture
// from the off-screen image, and a failing drawing never escapes a paint.
#include "graph_export.h"
#include "graph_view.h"
#include "xy_series_line.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>

namespace zc {

// A line from `from` to `to`, owned by the view's graph.
void AddLine(TGraphView& view, const QPointF& from, const QPointF& to) {
  auto* series = new TXYLineSeries();
  series->SetParentGraph(&view.Graph());
  series->AddXY(from.x(), from.y());
  series->AddXY(to.x(), to.y());
}

class GraphViewTest : public QObject {
  Q_OBJECT

 private slots:
  void paintsTheGraphAtTheWidgetsSize() {
    TGraphView view;
    view.resize(320, 240);
    AddLine(view, QPointF(1, 1), QPointF(9, 7));
    const QImage shown = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(view.Graph().ClientSize(), QSize(320, 240));

    QImage expected(320, 240, QImage::Format_RGB32);
    QPainter painter(&expected);
    view.Graph().DrawGraph(painter);
    painter.end();
    QCOMPARE(shown, expected);
    QCOMPARE(view.Picture(), expected);
  }

  // At 150 % or 200 % the view draws one image pixel per screen pixel, the
  // same picture a bitmap gets at that scale: not an enlarged one. The test
  // runs once more with QT_SCALE_FACTOR=2.
  void pictureHasOnePixelPerScreenPixel() {
    TGraphView view;
    view.resize(320, 240);
    AddLine(view, QPointF(1, 1), QPointF(9, 7));
    view.grab();
    const qreal ratio = view.devicePixelRatioF();
    if (qEnvironmentVariable("QT_SCALE_FACTOR") == QStringLiteral("2")) QCOMPARE(ratio, 2.0);
    QCOMPARE(view.Picture().size(), QSize(320, 240) * ratio);
    QCOMPARE(view.Picture().devicePixelRatio(), ratio);
    QCOMPARE(view.Graph().ClientSize(), QSize(320, 240));

    view.Graph().SetBitmapScale(ratio);
    const QImage expected = RenderGraphImage(view.Graph());
    QCOMPARE(view.Picture(), expected.convertToFormat(view.Picture().format()));
  }

  void anAxisFailureIsReportedInsteadOfThrown() {
    TGraphView view;
    view.resize(200, 150);
    QSignalSpy failures(&view, &TGraphView::drawFailed);
    // A manual maximum below the automatic minimum of the data.
    AddLine(view, QPointF(50, 50), QPointF(60, 60));
    view.Graph().XAxis().SetAutoMax(false);
    view.grab();
    QCOMPARE(failures.count(), 1);
    QCOMPARE(failures.first().first().toString(), QStringLiteral("軸の範囲を超えています"));
  }
};

}  // namespace zc

QTEST_MAIN(zc::GraphViewTest)
#include "graph_view_test.moc"
