#include "xy_series_line.h"

#include "device_pen.h"
#include "xy_graph.h"

#include <QPainter>
#include <QPainterPath>

namespace zc {

void PaintPolylines(QPainter& painter, const TGraphPointList& points,
                    const TGraphIntegerList& counts) {
  if (counts.Count() == 0) return;
  // All pieces in one path: one drawing call per series.
  QPainterPath path;
  const QPoint* vertex = points.List();
  for (int piece = 0; piece < counts.Count(); ++piece) {
    const int n = counts.List()[piece];
    if (n <= 0) continue;
    path.moveTo(vertex[0]);
    for (int i = 1; i < n; ++i) path.lineTo(vertex[i]);
    vertex += n;
  }
  painter.drawPath(path);
}

void PaintPolygons(QPainter& painter, const TGraphPointList& points,
                   const TGraphIntegerList& counts) {
  if (counts.Count() == 0) return;
  // Overlapping polygons of one series cancel out as in an alternate fill.
  QPainterPath path;
  path.setFillRule(Qt::OddEvenFill);
  const QPoint* vertex = points.List();
  for (int polygon = 0; polygon < counts.Count(); ++polygon) {
    const int n = counts.List()[polygon];
    if (n <= 0) continue;
    path.moveTo(vertex[0]);
    for (int i = 1; i < n; ++i) path.lineTo(vertex[i]);
    path.closeSubpath();
    vertex += n;
  }
  painter.drawPath(path);
}

// --- TXYLineSeries ---------------------------------------------------------------

TXYLineSeries::TXYLineSeries(const QString& name)
    : TXYGraphSeries(name), FLinePen(QColor(Qt::black), 1) {}

void TXYLineSeries::SetLinePen(const QPen& value) {
  FLinePen = value;
  SetSeriesColor(value.color());
  DataChanged();
}

void TXYLineSeries::SetDisContinue(bool value) {
  if (value == FDisContinue) return;
  FDisContinue = value;
  DataChanged();
}

void TXYLineSeries::ApplySeriesColor(const QColor& value) { FLinePen.setColor(value); }

void TXYLineSeries::DrawLines(QPainter& painter) {
  if (ParentGraph() == nullptr || DataCount() == 0) return;
  TGraphPointList points;
  TGraphIntegerList counts;
  points.SetCapacity(DataCount());
  BuildPolylines(ClipBox(), FDisContinue, FXValues, FYValues, 0, DataCount(), PixelMapper(),
                 points, counts);
  painter.setPen(PenForDevice(painter, FLinePen));
  painter.setBrush(Qt::NoBrush);
  PaintPolylines(painter, points, counts);
}

void TXYLineSeries::Draw(QPainter& painter) { DrawLines(painter); }

// --- TXYMarkerSeries -------------------------------------------------------------

TXYMarkerSeries::TXYMarkerSeries(const QString& name) : TXYLineSeries(name), FMarker(this) {}

void TXYMarkerSeries::SetMarker(const TGraphMarker& value) {
  FMarker.Assign(value);
  // The series' own marker keeps reporting its changes to this series, even
  // when the settings came from a marker of another series or of none.
  FMarker.SetOwnerSeries(this);
  DataChanged();
}

void TXYMarkerSeries::SetJoined(bool value) {
  if (value == FJoined) return;
  FJoined = value;
  DataChanged();
}

void TXYMarkerSeries::ApplySeriesColor(const QColor& value) {
  TXYLineSeries::ApplySeriesColor(value);
  QBrush brush = FMarker.Brush();
  brush.setColor(value);
  FMarker.SetBrush(brush);
}

void TXYMarkerSeries::Draw(QPainter& painter) {
  if (ParentGraph() == nullptr) return;
  if (FJoined) DrawLines(painter);
  if (!FMarker.Visible()) return;
  const double* xs = FXValues.List();
  const double* ys = FYValues.List();
  for (int i = 0; i < DataCount(); ++i) {
    if (xs[i] < FXmin || xs[i] > FXmax || ys[i] < FYmin || ys[i] > FYmax) continue;
    const QPoint pixel = PixelOf(xs[i], ys[i]);
    FMarker.Draw(painter, pixel.x(), pixel.y());
  }
}

}  // namespace zc
