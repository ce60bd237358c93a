// Clipping of series data to the axis ranges, in data units, before anything
// is turned into pixels: lines that leave the plot end exactly at its border.
// Stateless: the box, the break-at-entry switch and the pixel mapping are
// passed in.
#pragma once

#include "graph_lists.h"

#include <QPoint>
#include <QPointF>

#include <functional>

namespace zc {

// The visible data rectangle [xMin, xMax] × [yMin, yMax].
struct TClipBox {
  double xMin = 0;
  double xMax = 0;
  double yMin = 0;
  double yMax = 0;
};

// 1 left of the box, 2 right of it; 4 below, 8 above; 0 inside.
int OutCode(const TClipBox& box, double x, double y);

// Moves the two points onto the box border where the segment crosses it.
// Returns 1 when the end point is inside, 0 when the segment was cut at its
// end, -1 when nothing is visible. With `disContinue` a segment that enters
// the box from outside also gives -1, so the jump of a discontinuous curve
// is not drawn.
int ClipSegment(const TClipBox& box, bool disContinue, QPointF& start, QPointF& end);

// Data point to pixel, normally TXYGraph::GetXYPoint.
using TPixelMapper = std::function<QPoint(double x, double y)>;

// Clipped polyline pieces of the data run first … first+count-1: the pixel
// vertices are appended to `points`, one vertex count per piece to `counts`.
// A piece ends wherever the curve leaves the box or a segment is dropped.
void BuildPolylines(const TClipBox& box, bool disContinue, const TGraphValueList& xValues,
                    const TGraphValueList& yValues, int first, int count,
                    const TPixelMapper& toPixel, TGraphPointList& points,
                    TGraphIntegerList& counts);

// One polygon of `count` vertices from index `first`, vertices outside the
// box pulled onto its border along their outgoing edge. Appends `count`
// vertices (nothing for fewer than two).
void BuildPolygon(const TClipBox& box, bool disContinue, const TGraphValueList& xValues,
                  const TGraphValueList& yValues, int first, int count,
                  const TPixelMapper& toPixel, TGraphPointList& points);

}  // namespace zc
