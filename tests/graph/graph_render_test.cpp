// Drawings into an image, checked pixel by pixel where the layout puts them.
#include "graph_error.h"
#include "graph_marker.h"
#include "series_kinds.h"
#include "xy_graph.h"
#include "xy_series_line.h"
#include "xy_series_point.h"
#include "xy_series_polygon.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <sstream>
#include <vector>
#include <string>

namespace zc {
namespace {

// Colours without alpha, as Pixel reads them.
constexpr QRgb Red = 0xFF0000;
constexpr QRgb Blue = 0x0000FF;
constexpr QRgb Green = 0x00A000;
constexpr QRgb Black = 0x000000;
constexpr QRgb White = 0xFFFFFF;

QImage Render(TXYGraph& graph) {
  QImage image(graph.ClientSize(), QImage::Format_RGB32);
  image.fill(Qt::magenta);
  QPainter painter(&image);
  graph.DrawGraph(painter);
  painter.end();
  return image;
}

QRgb Pixel(const QImage& image, QPoint p) { return image.pixel(p) & 0xFFFFFF; }

// A thin line may pass a pixel beside the exact point: look one pixel around.
bool Near(const QImage& image, QPoint p, QRgb color) {
  for (int dy = -1; dy <= 1; ++dy)
    for (int dx = -1; dx <= 1; ++dx)
      if (Pixel(image, p + QPoint(dx, dy)) == color) return true;
  return false;
}

void SetRanges(TXYGraph& graph, double xMax, double yMin, double yMax) {
  graph.XAxis().SetMax(xMax);
  graph.XAxis().SetMin(0);
  graph.YAxis().SetMax(yMax);
  graph.YAxis().SetMin(yMin);
}

// A new series of the given kind, owned by the graph from now on.
template <typename Series>
Series* AttachNew(TXYGraph& graph) {
  auto* series = new Series();
  series->SetParentGraph(&graph);
  return series;
}

// Two 2 x 2 squares that overlap in the square from (2, 2) to (3, 3).
void AddOverlappingSquares(TXYGraphSeries& series) {
  for (QPointF p : {QPointF(1, 1), QPointF(3, 1), QPointF(3, 3), QPointF(1, 3)}) series.AddXY(p.x(), p.y());
  for (QPointF p : {QPointF(2, 2), QPointF(4, 2), QPointF(4, 4), QPointF(2, 4)}) series.AddXY(p.x(), p.y());
}

TXYLineSeries* AddLine(TXYGraph& graph, QRgb color, int width,
                       std::initializer_list<QPointF> points) {
  auto* series = AttachNew<TXYLineSeries>(graph);
  series->SetLinePen(QPen(QColor(color), width));
  for (const QPointF& p : points) series->AddXY(p.x(), p.y());
  return series;
}

int CountOutside(const QImage& image, const QRect& area, QRgb color) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (!area.contains(x, y) && (image.pixel(x, y) & 0xFFFFFF) == color) ++count;
  return count;
}

TEST(GraphRendering, LineEndsInItsColourAtTheClippedBorder) {
  TXYGraph graph;
  SetRanges(graph, 4, 0, 10);
  AddLine(graph, Red, 1, {{0, 0}, {5, 5}, {10, 0}});
  const QImage image = Render(graph);
  const QPoint end = graph.GetXYPoint(4, 4);
  EXPECT_EQ(end.x(), graph.XAxis().MaxPos());
  EXPECT_EQ(Pixel(image, end), Red);
  EXPECT_TRUE(Near(image, graph.GetXYPoint(2, 2), Red));
  EXPECT_EQ(CountOutside(image, graph.PlotArea(), Red), 0);
}

TEST(GraphRendering, ThickLinesStopAtThePlotBorder) {
  TXYGraph graph;
  SetRanges(graph, 4, 0, 10);
  AddLine(graph, Red, 9, {{1, 5}, {2, 50}, {3, 5}, {3.5, -40}});
  const QImage image = Render(graph);
  EXPECT_EQ(Pixel(image, graph.GetXYPoint(1, 5)), Red);
  EXPECT_EQ(CountOutside(image, graph.PlotArea(), Red), 0);
}

TEST(GraphRendering, AxesFrontDrawsTheAxesOverTheSeries) {
  for (bool axesFront : {false, true}) {
    TXYGraph graph;
    SetRanges(graph, 4, -5, 5);
    graph.SetAxesFront(axesFront);
    AddLine(graph, Red, 7, {{0, 0}, {4, 0}});
    const QImage image = Render(graph);
    const QPoint onAxis(graph.GetXYPoint(1.3, 0));
    ASSERT_EQ(onAxis.y(), graph.XAxis().AxisPos());
    EXPECT_EQ(Pixel(image, onAxis), axesFront ? Black : Red) << "AxesFront " << axesFront;
  }
}

TEST(GraphRendering, MarkerShapes) {
  struct Case {
    TMarkerShape shape;
    std::vector<QPoint> fill;    // brush colour
    std::vector<QPoint> stroke;  // pen colour
    std::vector<QPoint> empty;   // background
  };
  const Case cases[] = {
      {msSquare, {{0, 0}, {3, 3}}, {{-5, 0}, {4, 0}}, {{6, 0}, {0, -6}}},
      {msCircle, {{0, 0}, {2, 2}}, {}, {{-5, -5}, {4, 4}}},
      {msPlus, {}, {{0, -4}, {-4, 0}, {4, 0}}, {{-3, -3}, {3, 3}}},
      {msTimes, {}, {{-3, -3}, {3, 3}, {3, -3}}, {{0, -4}, {-4, 0}}},
      {msStar, {}, {{0, -4}, {-4, 0}, {-3, -3}, {3, -3}}, {{-2, -4}}},
      {msPoint, {{0, 0}}, {}, {{2, 0}, {0, 2}, {-2, 0}}},
      {msTriangleUp, {{0, 3}, {-3, 3}}, {}, {{-4, -3}, {4, -3}}},
      {msTriangleDown, {{0, -3}, {3, -3}}, {}, {{-4, 3}, {4, 3}}},
      {msDiamond, {{0, 0}, {0, 3}}, {{0, -5}}, {{-4, -4}, {4, 4}}},
  };
  for (const Case& c : cases) {
    TXYGraph graph;
    SetRanges(graph, 4, 0, 10);
    auto* series = AttachNew<TXYMarkerSeries>(graph);
    series->SetSeriesColor(QColor(Blue));
    series->Marker().SetShape(c.shape);
    series->Marker().SetPen(QPen(QColor(Black), 1));
    series->AddXY(2, 5);
    const QImage image = Render(graph);
    const QPoint centre = graph.GetXYPoint(2, 5);
    for (QPoint d : c.fill) EXPECT_EQ(Pixel(image, centre + d), Blue) << c.shape << " fill " << d.x() << "," << d.y();
    for (QPoint d : c.stroke) EXPECT_EQ(Pixel(image, centre + d), Black) << c.shape << " stroke " << d.x() << "," << d.y();
    for (QPoint d : c.empty) EXPECT_EQ(Pixel(image, centre + d), White) << c.shape << " empty " << d.x() << "," << d.y();
  }
}

TEST(GraphRendering, MarkersOutsideTheRangeAreNotDrawn) {
  TXYGraph graph;
  SetRanges(graph, 4, 0, 10);
  auto* series = AttachNew<TXYMarkerSeries>(graph);
  series->SetSeriesColor(QColor(Blue));
  series->AddXY(4.1, 5);
  const QImage image = Render(graph);
  EXPECT_EQ(CountOutside(image, QRect(), Blue), 0);
}

TEST(GraphRendering, InequalityShadesOnlyTheOverlapOfItsGroups) {
  TXYGraph graph;
  SetRanges(graph, 5, 0, 5);
  auto* series = AttachNew<TXYInequalSeries>(graph);
  series->SetBrush(QBrush(QColor(Green)));
  AddOverlappingSquares(*series);
  series->AddCount(4);
  series->AddCount(4);
  series->GroupList().Add(1);
  series->GroupList().Add(1);
  const QImage image = Render(graph);
  EXPECT_EQ(Pixel(image, graph.GetXYPoint(2.5, 2.5)), Green);
  EXPECT_EQ(Pixel(image, graph.GetXYPoint(1.5, 1.5)), White);
  EXPECT_EQ(Pixel(image, graph.GetXYPoint(3.5, 3.5)), White);
  EXPECT_TRUE(Near(image, graph.GetXYPoint(2, 1), Black)) << "outlines of every group";
  EXPECT_TRUE(Near(image, graph.GetXYPoint(4, 3), Black));
}

TEST(GraphRendering, PolygonsFillAndOverlapsCancel) {
  TXYGraph graph;
  SetRanges(graph, 5, 0, 5);
  auto* series = AttachNew<TXYPolyPolygonSeries>(graph);
  series->SetBrush(QBrush(QColor(Green)));
  AddOverlappingSquares(*series);
  series->AddCount(4);
  series->AddCount(4);
  series->AddCount(4);  // runs past the data: not drawn
  const QImage image = Render(graph);
  EXPECT_EQ(Pixel(image, graph.GetXYPoint(1.5, 1.5)), Green);
  EXPECT_EQ(Pixel(image, graph.GetXYPoint(3.5, 3.5)), Green);
  EXPECT_EQ(Pixel(image, graph.GetXYPoint(2.5, 2.5)), White);
}

TEST(GraphRendering, ArrowsNeedAVisibleHead) {
  TXYGraph graph;
  SetRanges(graph, 4, 0, 10);
  auto* series = AttachNew<TXYArrowSeries>(graph);
  series->SetSeriesColor(QColor(Red));
  series->SetArrowSize(6);
  series->AddArrow(1, 2, 1, 8);   // pointing up
  series->AddArrow(3, 8, 3, 2);   // pointing down
  series->AddArrow(2, 5, 2, 12);  // head outside: not drawn
  series->AddArrow(2.5, 12, 2.5, 5);  // tail outside: drawn from the border
  const QImage image = Render(graph);
  const QPoint up = graph.GetXYPoint(1, 8);
  EXPECT_EQ(Pixel(image, up + QPoint(-3, 5)), Red) << "barb at 150° from straight up";
  EXPECT_EQ(Pixel(image, up + QPoint(3, 5)), Red);
  const QPoint down = graph.GetXYPoint(3, 2);
  EXPECT_EQ(Pixel(image, down + QPoint(-3, -5)), Red) << "barb at 150° from straight down";
  EXPECT_EQ(Pixel(image, down + QPoint(3, -5)), Red);
  EXPECT_EQ(Pixel(image, graph.GetXYPoint(2, 7)), White);
  EXPECT_EQ(Pixel(image, graph.GetXYPoint(2.5, 9)), Red);
}

TEST(GraphRendering, BubblesScaleWithTheLargestRadius) {
  TXYGraph graph;
  SetRanges(graph, 4, 0, 10);
  auto* series = AttachNew<TXYBubbleSeries>(graph);
  series->SetBrush(QBrush(QColor(Green)));
  series->AddBubble(1, 5, 0);
  const QImage empty = Render(graph);
  EXPECT_EQ(Pixel(empty, graph.GetXYPoint(1, 5)), White) << "all radii 0: nothing";
  series->AddBubble(3, 5, 2);
  series->AddBubble(2, 8, 1);
  const QImage image = Render(graph);
  EXPECT_EQ(Pixel(image, graph.GetXYPoint(1, 5)), White);
  // The largest bubble's radius is 10 % of the shorter axis extent.
  const int radius = std::min(graph.YAxis().AxisHeight(), graph.XAxis().AxisWidth()) / 10;
  const QPoint big = graph.GetXYPoint(3, 5);
  EXPECT_EQ(Pixel(image, big + QPoint(radius - 2, 0)), Green);
  EXPECT_NE(Pixel(image, big + QPoint(radius + 2, 0)), Green);
  const QPoint small = graph.GetXYPoint(2, 8);
  EXPECT_EQ(Pixel(image, small + QPoint(radius / 2 - 2, 0)), Green);
  EXPECT_NE(Pixel(image, small + QPoint(radius / 2 + 2, 0)), Green);
}

TEST(GraphRendering, ErrorBarsHaveCapsOnlyWhereTheBarEnds) {
  TXYGraph graph;
  SetRanges(graph, 4, 0, 10);
  auto* series = AttachNew<TXYErrorBarSeries>(graph);
  series->SetJoined(false);
  series->SetPen(QPen(QColor(Red), 1));
  series->AddErrorBar(1, 5, 2, 1);
  series->AddErrorBar(3, 9, 3, 1);  // the bar is cut at the top border
  const QImage image = Render(graph);
  EXPECT_EQ(Pixel(image, graph.GetXYPoint(1, 6)), Red) << "the bar";
  EXPECT_EQ(Pixel(image, graph.GetXYPoint(1, 7) + QPoint(-4, 0)), Red) << "upper cap";
  EXPECT_EQ(Pixel(image, graph.GetXYPoint(1, 4) + QPoint(3, 0)), Red) << "lower cap";
  EXPECT_EQ(Pixel(image, graph.GetXYPoint(3, 8) + QPoint(-4, 0)), Red) << "lower cap of the cut bar";
  EXPECT_NE(Pixel(image, graph.GetXYPoint(3, 10) + QPoint(-4, 0)), Red) << "no cap at the border";
}

TEST(GraphRendering, AfterDrawIsCalledOncePerDrawing) {
  TXYGraph graph;
  int calls = 0;
  graph.SetOnAfterDraw([&](TXYGraph& sender) {
    EXPECT_EQ(&sender, &graph);
    ++calls;
  });
  Render(graph);
  Render(graph);
  EXPECT_EQ(calls, 2);
  EXPECT_EQ(graph.Canvas(), nullptr) << "the canvas is released after drawing";
}

// The bounding box of a title's pixels: everything else is drawn in grey.
QRect TitleBox(TAxisTitleLoc location, int angle, bool vertical) {
  TXYGraph graph;
  graph.SetClientSize(QSize(400, 300));
  SetRanges(graph, 10, -10, 10);
  for (TGraphAxis* axis : {&graph.XAxis(), &graph.YAxis()}) {
    axis->SetLabels(false);
    axis->SetAxisPen(QPen(Qt::gray));
  }
  TGraphAxis& axis = vertical ? graph.YAxis() : graph.XAxis();
  axis.SetAxisTitleLoc(location);
  axis.SetTitleAngle(angle);
  axis.SetTitle(QStringLiteral("Title"));
  const QImage image = Render(graph);
  QRect box;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (Pixel(image, QPoint(x, y)) == Black) box |= QRect(x, y, 1, 1);
  return box;
}

TEST(GraphRendering, AxisTitlesTurnWithTheirAngle) {
  const QRect upright = TitleBox(tlSide, 0, true);
  const QRect turned = TitleBox(tlSide, 90, true);
  ASSERT_FALSE(upright.isEmpty());
  ASSERT_FALSE(turned.isEmpty());
  EXPECT_GT(upright.width(), upright.height());
  EXPECT_GT(turned.height(), turned.width());
  EXPECT_GE(turned.left(), 0);

  const QRect fixed = TitleBox(tlFixed, 270, true);
  ASSERT_FALSE(fixed.isEmpty());
  EXPECT_LT(fixed.left(), 25) << "a fixed Y title sits in the strip at the left";
  EXPECT_GT(fixed.height(), fixed.width());

  const QRect head = TitleBox(tlHead, 0, false);
  ASSERT_FALSE(head.isEmpty());
  EXPECT_GT(head.right(), 340) << "an X title at the head ends at the right edge";
  EXPECT_LE(head.right(), 400);
}

TEST(GraphLayout, LabelsFitWhenTheCrossingPointIsAtTheCorner) {
  TXYGraph graph;
  SetRanges(graph, 10, 0, 10);
  Render(graph);
  const TGraphAxis& x = graph.XAxis();
  const TGraphAxis& y = graph.YAxis();
  EXPECT_LE(x.AxisPos() + x.LabelSpace() + x.GetMaxLabelsHeight(), graph.Height());
  EXPECT_GE(y.AxisPos() - y.LabelSpace() - y.GetMaxLabelsWidth(), 0);
  EXPECT_LT(y.MinPos(), graph.Height() - 10) << "the plot's lower edge rose above the labels";
}

TEST(GraphLayout, AutoAspectRatioMakesUnitsSquare) {
  TXYGraph graph;
  graph.SetClientSize(QSize(400, 400));
  SetRanges(graph, 20, 0, 10);
  graph.SetAutoAspectRatio(true);
  Render(graph);
  const double ratio = static_cast<double>(graph.PlotWidth()) / graph.PlotHeight();
  EXPECT_NEAR(ratio, 2.0, 0.1);
}

TEST(GraphSeriesList, FreeColoursRunThroughTheTableThenReuseTheLeastUsed) {
  TXYGraph graph;
  std::vector<TXYLineSeries*> series;
  for (int i = 0; i < 17; ++i) {
    series.push_back(new TXYLineSeries());
    series.back()->SetParentGraph(&graph);
  }
  for (int i = 0; i < 16; ++i)
    EXPECT_EQ(series[static_cast<std::size_t>(i)]->SeriesColor().rgb(), SeriesColors[static_cast<std::size_t>(i)] | 0xFF000000u) << i;
  EXPECT_EQ(series[16]->SeriesColor(), QColor(255, 0, 0)) << "the 17th series gets red again";
  EXPECT_EQ(series[16]->LinePen().color(), QColor(255, 0, 0));
  EXPECT_EQ(graph.GetFreeColor(), QColor(0, 128, 0)) << "green is now used least often";

  delete series[4];  // teal becomes free
  EXPECT_EQ(graph.GetFreeColor(), QColor(0, 128, 128));
  EXPECT_EQ(graph.SeriesCount(), 16);
}

TEST(GraphSeriesList, UpAndDownStopAtTheEnds) {
  TXYGraph graph;
  auto* a = new TXYLineSeries();
  auto* b = new TXYLineSeries();
  auto* c = new TXYLineSeries();
  for (auto* s : {a, b, c}) graph.AddSeries(s);
  graph.SeriesUp(a);
  graph.SeriesDown(c);
  EXPECT_EQ(graph.Series(0), a);
  EXPECT_EQ(graph.Series(2), c);
  graph.SeriesUp(c);
  EXPECT_EQ(graph.Series(1), c);
  EXPECT_EQ(graph.Series(2), b);
  graph.SeriesDown(a);
  EXPECT_EQ(graph.SeriesIndexOf(a), 1);
  graph.RemoveSeries(a);
  EXPECT_EQ(graph.SeriesIndexOf(a), -1);
  EXPECT_EQ(a->ParentGraph(), nullptr);
  delete a;
}

TEST(GraphSeriesList, ExtremesFallBackToTheAxisWithoutActiveData) {
  TXYGraph graph;
  SetRanges(graph, 4, -2, 10);
  auto* series = AddLine(graph, Red, 1, {{1, 7}, {3, -1}});
  series->SetActive(false);
  EXPECT_EQ(graph.MinXValue(), 0);
  EXPECT_EQ(graph.MaxYValue(), 10);
  series->SetActive(true);
  EXPECT_EQ(graph.MinXValue(), 1);
  EXPECT_EQ(graph.MinYValue(), -1);
}

TEST(GraphProperties, NoGridMeansNoSubGrid) {
  TXYGraph graph;
  graph.SetGridStyle(gsBoth);
  graph.SetSubGrid(true);
  EXPECT_TRUE(graph.SubGrid());
  graph.SetGridStyle(gsNone);
  EXPECT_FALSE(graph.SubGrid());
  graph.SetSubGrid(true);
  EXPECT_FALSE(graph.SubGrid());
}

TEST(GraphProperties, ChangesAreReportedForRepainting) {
  TXYGraph graph;
  int changes = 0;
  QObject::connect(&graph, &TXYGraph::changed, [&] { ++changes; });
  graph.SetBackColor(Qt::yellow);
  graph.SetBackColor(Qt::yellow);
  EXPECT_EQ(changes, 1);
  auto* series = AddLine(graph, Red, 1, {{1, 1}});
  const int before = changes;
  series->AddXY(2, 2);
  EXPECT_GT(changes, before);

  auto* markers = AttachNew<TXYMarkerSeries>(graph);
  TGraphMarker settings;
  settings.SetShape(msCircle);
  markers->SetMarker(settings);
  EXPECT_EQ(markers->Marker().Shape(), msCircle);
  const int beforeMarker = changes;
  markers->Marker().SetSize(20);
  EXPECT_GT(changes, beforeMarker) << "a marker set from outside still repaints its series";
}

TEST(SeriesData, ErrorBarsSaveXYLowerUpperAndReadThemBack) {
  TXYErrorBarSeries source;
  source.AddErrorBar(1, 2, 0.5, 0.25);
  source.AddErrorBar(3, 4, 1.5, 0.75);
  std::ostringstream out;
  source.WriteData(out);
  const std::string bytes = out.str();
  ASSERT_EQ(bytes.size(), 4 * (4 + 2 * 8u));
  const auto valueAt = [&](std::size_t list, std::size_t index) {
    double value;
    std::memcpy(&value, bytes.data() + list * 20 + 4 + index * 8, 8);
    return value;
  };
  EXPECT_EQ(valueAt(0, 1), 3);
  EXPECT_EQ(valueAt(1, 1), 4);
  EXPECT_EQ(valueAt(2, 1), 0.75) << "lower values come third";
  EXPECT_EQ(valueAt(3, 1), 1.5) << "upper values come last";

  TXYErrorBarSeries copy;
  std::istringstream in(bytes);
  copy.ReadData(in);
  ASSERT_EQ(copy.DataCount(), 2);
  EXPECT_EQ(copy.LowerValues().GetValue(0), 0.25);
  EXPECT_EQ(copy.UpperValues().GetValue(1), 1.5);
  EXPECT_EQ(copy.MaxYValue(), 4 + 1.5);
  EXPECT_EQ(copy.MinYValue(), 2 - 0.25);
}

TEST(SeriesData, ATruncatedStreamLeavesTheSeriesAsItWas) {
  TXYArrowSeries source;
  source.AddArrow(1, 2, 3, 4);
  std::ostringstream out;
  source.WriteData(out);
  const std::string bytes = out.str();
  TXYArrowSeries target;
  target.AddArrow(9, 9, 8, 8);
  std::istringstream in(bytes.substr(0, bytes.size() - 3));
  EXPECT_THROW(target.ReadData(in), EListError);
  EXPECT_EQ(target.DataCount(), 1);
  EXPECT_EQ(target.EndXValues().GetValue(0), 8);
}

TEST(SeriesData, KindsAreListedAndCreatedByName) {
  std::vector<std::string> names;
  for (const TSeriesKind& kind : SeriesKinds()) names.push_back(kind.displayName.toStdString());
  EXPECT_EQ(names, (std::vector<std::string>{"折れ線", "散布図", "矢印", "泡", "エラーバー"}));
  for (std::string_view className :
       {"TXYGraphSeries", "TXYLineSeries", "TXYMarkerSeries", "TXYArrowSeries", "TXYBubbleSeries",
        "TXYErrorBarSeries", "TXYPolyPolygonSeries", "TXYPolyPolyLineSeries", "TXYInequalSeries"}) {
    const auto series = CreateSeries(className);
    ASSERT_NE(series, nullptr) << className;
    EXPECT_EQ(SeriesClassName(*series), className);
  }
  EXPECT_EQ(CreateSeries("TNoSuchSeries"), nullptr);
}

TEST(SeriesData, FillSamplesNeedsAGraph) {
  TXYLineSeries orphan(QStringLiteral("Series1"));
  try {
    orphan.FillSamples(10);
    ADD_FAILURE() << "no error";
  } catch (const EXYGraphSeriesError& error) {
    EXPECT_STREQ(error.what(), "Series1 は親グラフを持っていません");
  }
  TXYGraph graph;
  auto* bubbles = AttachNew<TXYBubbleSeries>(graph);
  bubbles->FillSamples(10);
  EXPECT_EQ(bubbles->DataCount(), 10);
  EXPECT_EQ(bubbles->RadiusValues().Count(), 10);
  EXPECT_EQ(bubbles->XValue(0), 0);
  EXPECT_EQ(bubbles->XValue(5), 5);
}

}  // namespace
}  // namespace zc
