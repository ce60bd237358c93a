#include "xy_series_point.h"

#include "device_pen.h"
#include "xy_graph.h"

#include <QLine>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace zc {

namespace {
constexpr double Pi = std::numbers::pi;
}

// --- TXYArrowSeries ----------------------------------------------------------------

TXYArrowSeries::TXYArrowSeries(const QString& name) : TXYLineSeries(name) {}

void TXYArrowSeries::SetArrowSize(int value) {
  if (value < 0 || value == FArrowSize) return;
  FArrowSize = value;
  DataChanged();
}

int TXYArrowSeries::AddArrow(double x1, double y1, double x2, double y2) {
  FEndXValues.Add(x2);
  FEndYValues.Add(y2);
  return AddXY(x1, y1);
}

int TXYArrowSeries::AddArrow2(double x, double y, double length, double theta) {
  return AddArrow(x, y, x + length * std::cos(theta), y + length * std::sin(theta));
}

void TXYArrowSeries::Draw(QPainter& painter) {
  if (ParentGraph() == nullptr) return;
  painter.setPen(PenForDevice(painter, FLinePen));
  painter.setBrush(Qt::NoBrush);
  const int count = std::min(DataCount(), FEndXValues.Count());
  for (int i = 0; i < count; ++i) {
    QPointF start(FXValues.List()[i], FYValues.List()[i]);
    QPointF end(FEndXValues.List()[i], FEndYValues.List()[i]);
    // Only an arrow whose head is visible is drawn.
    if (ClipSegment(start, end) != 1) continue;
    const QPoint s = PixelOf(start.x(), start.y());
    const QPoint e = PixelOf(end.x(), end.y());
    double phi;
    if (e.x() == s.x()) {
      phi = e.y() < s.y() ? Pi / 2 : -Pi / 2;
    } else {
      phi = std::atan(static_cast<double>(s.y() - e.y()) / (e.x() - s.x()));
      if (e.x() < s.x()) phi += Pi;
    }
    const auto barb = [&](double theta) {
      return e + QPoint(static_cast<int>(std::lround(std::cos(theta) * FArrowSize)),
                        -static_cast<int>(std::lround(std::sin(theta) * FArrowSize)));
    };
    const QPoint shaft[2] = {s, e};
    const QPoint head[3] = {barb(phi + 5 * Pi / 6), e, barb(phi + 7 * Pi / 6)};
    painter.drawPolyline(shaft, 2);
    painter.drawPolyline(head, 3);
  }
}

void TXYArrowSeries::ReadData(std::istream& stream) {
  ReadValueLists(stream, {&FXValues, &FYValues, &FEndXValues, &FEndYValues});
  DataChanged();
}

void TXYArrowSeries::WriteData(std::ostream& stream) const {
  TXYLineSeries::WriteData(stream);
  FEndXValues.SaveToStream(stream);
  FEndYValues.SaveToStream(stream);
}

void TXYArrowSeries::Clear() {
  FEndXValues.Clear();
  FEndYValues.Clear();
  TXYLineSeries::Clear();
}

void TXYArrowSeries::Delete(int index) {
  FEndXValues.Delete(index);
  FEndYValues.Delete(index);
  TXYLineSeries::Delete(index);
}

double TXYArrowSeries::MinXValue() const {
  return std::min(FXValues.MinValue(), FEndXValues.Count() > 0 ? FEndXValues.MinValue() : FXValues.MinValue());
}
double TXYArrowSeries::MaxXValue() const {
  return std::max(FXValues.MaxValue(), FEndXValues.Count() > 0 ? FEndXValues.MaxValue() : FXValues.MaxValue());
}
double TXYArrowSeries::MinYValue() const {
  return std::min(FYValues.MinValue(), FEndYValues.Count() > 0 ? FEndYValues.MinValue() : FYValues.MinValue());
}
double TXYArrowSeries::MaxYValue() const {
  return std::max(FYValues.MaxValue(), FEndYValues.Count() > 0 ? FEndYValues.MaxValue() : FYValues.MaxValue());
}

void TXYArrowSeries::AddSample(double x, double y, double spread, int seriesIndex) {
  AddArrow2(x, y, spread / 4, (NextRandom() + seriesIndex) * Pi / 4);
}

// --- TXYBubbleSeries ---------------------------------------------------------------

TXYBubbleSeries::TXYBubbleSeries(const QString& name)
    : TXYGraphSeries(name), FBrush(Qt::white, Qt::SolidPattern), FPen(QColor(Qt::black), 1) {}

void TXYBubbleSeries::SetBrush(const QBrush& value) {
  FBrush = value;
  SetSeriesColor(value.color());
  DataChanged();
}

void TXYBubbleSeries::SetPen(const QPen& value) {
  FPen = value;
  DataChanged();
}

void TXYBubbleSeries::SetMaxSizeRate(int value) {
  if (value <= 0 || value == FMaxSizeRate) return;
  FMaxSizeRate = value;
  DataChanged();
}

void TXYBubbleSeries::ApplySeriesColor(const QColor& value) { FBrush.setColor(value); }

int TXYBubbleSeries::AddBubble(double x, double y, double radius) {
  FRadiusValues.Add(radius);
  return AddXY(x, y);
}

void TXYBubbleSeries::Draw(QPainter& painter) {
  TXYGraph* graph = ParentGraph();
  if (graph == nullptr || FRadiusValues.Count() == 0) return;
  const double largest = FRadiusValues.MaxValue();
  if (!(largest > 0)) return;
  const int yHeight = graph->YAxis().AxisHeight();
  const int xWidth = graph->XAxis().AxisWidth();
  const int side = yHeight < xWidth ? yHeight : xWidth;
  const int maxRadius = static_cast<int>(std::lround(static_cast<double>(FMaxSizeRate) * side / 100));
  painter.setPen(PenForDevice(painter, FPen));
  painter.setBrush(FBrush);
  const int count = std::min(DataCount(), FRadiusValues.Count());
  for (int i = 0; i < count; ++i) {
    const double r = FRadiusValues.List()[i];
    if (!(r > 0)) continue;
    const QPoint centre = PixelOf(FXValues.List()[i], FYValues.List()[i]);
    const int radius = static_cast<int>(std::lround(maxRadius * r / largest));
    painter.drawEllipse(centre, radius, radius);
  }
}

void TXYBubbleSeries::ReadData(std::istream& stream) {
  ReadValueLists(stream, {&FXValues, &FYValues, &FRadiusValues});
  DataChanged();
}

void TXYBubbleSeries::WriteData(std::ostream& stream) const {
  TXYGraphSeries::WriteData(stream);
  FRadiusValues.SaveToStream(stream);
}

void TXYBubbleSeries::Clear() {
  FRadiusValues.Clear();
  TXYGraphSeries::Clear();
}

void TXYBubbleSeries::Delete(int index) {
  FRadiusValues.Delete(index);
  TXYGraphSeries::Delete(index);
}

void TXYBubbleSeries::AddSample(double x, double y, double spread, int seriesIndex) {
  (void)seriesIndex;
  AddBubble(x, y, spread * NextRandom() / 10);
}

// --- TXYErrorBarSeries -------------------------------------------------------------

TXYErrorBarSeries::TXYErrorBarSeries(const QString& name)
    : TXYLineSeries(name), FPen(QColor(Qt::black), 1) {}

void TXYErrorBarSeries::SetJoined(bool value) {
  if (value == FJoined) return;
  FJoined = value;
  DataChanged();
}

void TXYErrorBarSeries::SetBarSize(int value) {
  if (value <= 0 || value == FBarSize) return;
  FBarSize = value;
  DataChanged();
}

void TXYErrorBarSeries::SetPen(const QPen& value) {
  FPen = value;
  DataChanged();
}

int TXYErrorBarSeries::AddErrorBar(double x, double y, double upValue, double lowValue) {
  FUpperValues.Add(upValue);
  FLowerValues.Add(lowValue);
  return AddXY(x, y);
}

void TXYErrorBarSeries::Draw(QPainter& painter) {
  if (ParentGraph() == nullptr) return;
  if (FJoined) DrawLines(painter);
  painter.setPen(PenForDevice(painter, FPen));
  painter.setBrush(Qt::NoBrush);
  std::vector<QLine> pieces;
  const int count = std::min({DataCount(), FUpperValues.Count(), FLowerValues.Count()});
  pieces.reserve(static_cast<std::size_t>(count) * 3);
  const int capLeft = FBarSize / 2;
  for (int i = 0; i < count; ++i) {
    const double x = FXValues.List()[i];
    const double y = FYValues.List()[i];
    const double lower = FLowerValues.List()[i];
    const double upper = FUpperValues.List()[i];
    QPointF low(x, lower > 0 ? y - lower : y);
    QPointF high(x, upper > 0 ? y + upper : y);
    const int result = ClipSegment(low, high);
    if (result < 0) continue;
    const QPoint bottom = PixelOf(low.x(), low.y());
    const QPoint top = PixelOf(high.x(), high.y());
    pieces.emplace_back(bottom, top);
    if (lower > 0)
      pieces.emplace_back(bottom.x() - capLeft, bottom.y(), bottom.x() - capLeft + FBarSize, bottom.y());
    if (upper > 0 && result == 1)
      pieces.emplace_back(top.x() - capLeft, top.y(), top.x() - capLeft + FBarSize, top.y());
  }
  if (!pieces.empty()) painter.drawLines(pieces.data(), static_cast<int>(pieces.size()));
}

void TXYErrorBarSeries::ReadData(std::istream& stream) {
  ReadValueLists(stream, {&FXValues, &FYValues, &FLowerValues, &FUpperValues});
  DataChanged();
}

void TXYErrorBarSeries::WriteData(std::ostream& stream) const {
  TXYLineSeries::WriteData(stream);
  FLowerValues.SaveToStream(stream);
  FUpperValues.SaveToStream(stream);
}

void TXYErrorBarSeries::Clear() {
  FUpperValues.Clear();
  FLowerValues.Clear();
  TXYLineSeries::Clear();
}

void TXYErrorBarSeries::Delete(int index) {
  FUpperValues.Delete(index);
  FLowerValues.Delete(index);
  TXYLineSeries::Delete(index);
}

double TXYErrorBarSeries::MaxYValue() const {
  double result = FYValues.MaxValue();
  const int index = FYValues.MaxValueIndex();
  if (index >= 0 && index < FUpperValues.Count() && FUpperValues.List()[index] > 0)
    result += FUpperValues.List()[index];
  return result;
}

double TXYErrorBarSeries::MinYValue() const {
  double result = FYValues.MinValue();
  const int index = FYValues.MinValueIndex();
  if (index >= 0 && index < FLowerValues.Count() && FLowerValues.List()[index] > 0)
    result -= FLowerValues.List()[index];
  return result;
}

void TXYErrorBarSeries::AddSample(double x, double y, double spread, int seriesIndex) {
  (void)seriesIndex;
  const double upper = spread * NextRandom() / 10;
  const double lower = spread * NextRandom() / 10;
  AddErrorBar(x, y, upper, lower);
}

}  // namespace zc
