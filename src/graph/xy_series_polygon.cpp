#include "xy_series_polygon.h"

#include "device_pen.h"
#include "graph_error.h"
#include "xy_graph.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygon>

#include <memory>
#include <vector>

namespace zc {

// --- TXYPolyPolygonSeries --------------------------------------------------------------

TXYPolyPolygonSeries::TXYPolyPolygonSeries(const QString& name)
    : TXYLineSeries(name), FBrush(Qt::white, Qt::SolidPattern) {}

void TXYPolyPolygonSeries::AddCount(int count) {
  FCountList.Add(count);
  DataChanged();
}

void TXYPolyPolygonSeries::SetBrush(const QBrush& value) {
  FBrush = value;
  SetSeriesColor(value.color());
  DataChanged();
}

void TXYPolyPolygonSeries::ApplySeriesColor(const QColor& value) { FBrush.setColor(value); }

int TXYPolyPolygonSeries::PolygonStart(int polygon) const {
  long long start = 0;
  for (int i = 0; i < polygon && i < FCountList.Count(); ++i) start += FCountList.List()[i];
  return static_cast<int>(std::min<long long>(start, DataCount() + 1LL));
}

template <typename Visit>
void TXYPolyPolygonSeries::ForEachPolygon(int firstPolygon, int polygonCount, Visit visit) const {
  long long first = PolygonStart(firstPolygon);
  const int end = std::min(firstPolygon + polygonCount, FCountList.Count());
  for (int polygon = firstPolygon; polygon < end; ++polygon) {
    const int count = FCountList.List()[polygon];
    // A run that is negative or passes the end of the data stops the drawing.
    if (count < 0 || first + count > DataCount()) return;
    visit(static_cast<int>(first), count);
    first += count;
  }
}

void TXYPolyPolygonSeries::Draw(QPainter& painter) {
  if (ParentGraph() == nullptr) return;
  TGraphPointList points;
  TGraphIntegerList counts;
  const TPixelMapper toPixel = PixelMapper();
  ForEachPolygon(0, FCountList.Count(), [&](int first, int count) {
    if (count < 2) return;
    BuildPolygon(ClipBox(), FDisContinue, FXValues, FYValues, first, count, toPixel, points);
    counts.Add(count);
  });
  painter.setPen(PenForDevice(painter, FLinePen));
  painter.setBrush(FBrush);
  PaintPolygons(painter, points, counts);
}

void TXYPolyPolygonSeries::ReadData(std::istream& stream) {
  TGraphValueList xValues;
  TGraphValueList yValues;
  ReadValueLists(stream, {&xValues, &yValues});
  TGraphIntegerList counts;
  counts.LoadFromStream(stream);
  FXValues.Assign(xValues);
  FYValues.Assign(yValues);
  FCountList.Assign(counts);
  DataChanged();
}

void TXYPolyPolygonSeries::WriteData(std::ostream& stream) const {
  TXYLineSeries::WriteData(stream);
  FCountList.SaveToStream(stream);
}

// --- TXYPolyPolyLineSeries ---------------------------------------------------------------

TXYPolyPolyLineSeries::TXYPolyPolyLineSeries(const QString& name) : TXYPolyPolygonSeries(name) {}

void TXYPolyPolyLineSeries::ApplySeriesColor(const QColor& value) { FLinePen.setColor(value); }

void TXYPolyPolyLineSeries::Draw(QPainter& painter) {
  if (ParentGraph() == nullptr) return;
  TGraphPointList points;
  TGraphIntegerList counts;
  const TPixelMapper toPixel = PixelMapper();
  ForEachPolygon(0, FCountList.Count(), [&](int first, int count) {
    BuildPolylines(ClipBox(), FDisContinue, FXValues, FYValues, first, count, toPixel, points,
                   counts);
  });
  painter.setPen(PenForDevice(painter, FLinePen));
  painter.setBrush(Qt::NoBrush);
  PaintPolylines(painter, points, counts);
}

// --- TXYInequalSeries ----------------------------------------------------------------------

TXYInequalSeries::TXYInequalSeries(const QString& name) : TXYPolyPolygonSeries(name) {
  FLinePen.setColor(Qt::black);
}

void TXYInequalSeries::Draw(QPainter& painter) {
  if (ParentGraph() == nullptr) return;
  const TPixelMapper toPixel = PixelMapper();
  const TClipBox box = ClipBox();

  // Outlines of every group.
  {
    TGraphPointList points;
    TGraphIntegerList counts;
    int polygon = 0;
    for (int group = 0; group < FGroupList.Count(); ++group) {
      const int polygons = FGroupList.List()[group];
      if (polygons <= 0) continue;
      ForEachPolygon(polygon, polygons, [&](int first, int count) {
        BuildPolylines(box, FDisContinue, FXValues, FYValues, first, count, toPixel, points,
                       counts);
      });
      polygon += polygons;
    }
    painter.setPen(PenForDevice(painter, FLinePen));
    painter.setBrush(Qt::NoBrush);
    PaintPolylines(painter, points, counts);
  }

  // The region of each group (winding fill), intersected over all groups.
  QPainterPath shaded;
  bool first = true;
  int polygon = 0;
  for (int group = 0; group < FGroupList.Count(); ++group) {
    const int polygons = FGroupList.List()[group];
    if (polygons <= 0) continue;
    QPainterPath region;
    region.setFillRule(Qt::WindingFill);
    ForEachPolygon(polygon, polygons, [&](int start, int count) {
      TGraphPointList points;
      BuildPolygon(box, FDisContinue, FXValues, FYValues, start, count, toPixel, points);
      if (points.Count() < 3) return;
      region.addPolygon(QPolygonF(QPolygon(QList<QPoint>(points.List(), points.List() + points.Count()))));
      region.closeSubpath();
    });
    polygon += polygons;
    shaded = first ? region : shaded.intersected(region);
    first = false;
  }
  if (first || shaded.isEmpty()) return;
  painter.fillPath(shaded, FBrush);
}

void TXYInequalSeries::ReadData(std::istream& stream) {
  TGraphValueList xValues;
  TGraphValueList yValues;
  ReadValueLists(stream, {&xValues, &yValues});
  TGraphIntegerList counts;
  counts.LoadFromStream(stream);
  TGraphIntegerList groups;
  groups.LoadFromStream(stream);
  FXValues.Assign(xValues);
  FYValues.Assign(yValues);
  FCountList.Assign(counts);
  FGroupList.Assign(groups);
  DataChanged();
}

void TXYInequalSeries::WriteData(std::ostream& stream) const {
  TXYPolyPolygonSeries::WriteData(stream);
  FGroupList.SaveToStream(stream);
}

}  // namespace zc
