// Line series (clipped polylines, the graph tool's kind) and marker series.
#pragma once

#include "graph_marker.h"
#include "graph_series.h"

#include <QPen>

namespace zc {

// Pieces of `counts` consecutive vertices from `points`, drawn in one call:
// open polylines with the current pen, or closed polygons filled with the
// current brush (overlaps of one series cancel out).
void PaintPolylines(QPainter& painter, const TGraphPointList& points,
                    const TGraphIntegerList& counts);
void PaintPolygons(QPainter& painter, const TGraphPointList& points,
                   const TGraphIntegerList& counts);

class TXYLineSeries : public TXYGraphSeries {
 public:
  explicit TXYLineSeries(const QString& name = QString());

  const QPen& LinePen() const { return FLinePen; }
  // Copies the pen and takes its colour as the series colour.
  void SetLinePen(const QPen& value);
  // Drop segments that enter the plot from outside (no stroke across a pole).
  bool DisContinue() const { return FDisContinue; }
  void SetDisContinue(bool value);

  void Draw(QPainter& painter) override;

 protected:
  void ApplySeriesColor(const QColor& value) override;
  bool BreaksAtEntry() const override { return FDisContinue; }
  // All data as clipped pieces, drawn with the line pen in one call.
  void DrawLines(QPainter& painter);

  QPen FLinePen;
  bool FDisContinue = false;
};

class TXYMarkerSeries : public TXYLineSeries {
 public:
  explicit TXYMarkerSeries(const QString& name = QString());

  const TGraphMarker& Marker() const { return FMarker; }
  TGraphMarker& Marker() { return FMarker; }
  void SetMarker(const TGraphMarker& value);
  bool Joined() const { return FJoined; }
  void SetJoined(bool value);

  void Draw(QPainter& painter) override;

 protected:
  void ApplySeriesColor(const QColor& value) override;

 private:
  TGraphMarker FMarker;
  bool FJoined = false;
};

}  // namespace zc
