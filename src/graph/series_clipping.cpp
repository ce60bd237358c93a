#include "series_clipping.h"

namespace zc {

int OutCode(const TClipBox& box, double x, double y) {
  int code = 0;
  if (x < box.xMin)
    code = 1;
  else if (x > box.xMax)
    code = 2;
  if (y < box.yMin)
    code += 4;
  else if (y > box.yMax)
    code += 8;
  return code;
}

int ClipSegment(const TClipBox& box, bool disContinue, QPointF& start, QPointF& end) {
  double x1 = start.x();
  double y1 = start.y();
  double x2 = end.x();
  double y2 = end.y();
  int c1 = OutCode(box, x1, y1);
  int c2 = OutCode(box, x2, y2);
  const int result = c2 == 0 ? 1 : 0;
  bool startCut = false;
  // Each round puts one coordinate exactly on the border; rounding can ask
  // for a few more rounds, never for many.
  for (int round = 0; (c1 | c2) != 0; ++round) {
    if ((c1 & c2) != 0 || round > 8) {
      start = QPointF(x1, y1);
      end = QPointF(x2, y2);
      return -1;
    }
    const double dx = x2 - x1;
    const double dy = y2 - y1;
    if (c1 == 0) {
      if (c2 & 8) {
        x2 -= (y2 - box.yMax) * dx / dy;
        y2 = box.yMax;
      } else if (c2 & 4) {
        x2 -= (y2 - box.yMin) * dx / dy;
        y2 = box.yMin;
      } else if (c2 & 2) {
        y2 -= (x2 - box.xMax) * dy / dx;
        x2 = box.xMax;
      } else {
        y2 -= (x2 - box.xMin) * dy / dx;
        x2 = box.xMin;
      }
      c2 = OutCode(box, x2, y2);
    } else {
      if (c1 & 8) {
        x1 += (box.yMax - y1) * dx / dy;
        y1 = box.yMax;
      } else if (c1 & 4) {
        x1 += (box.yMin - y1) * dx / dy;
        y1 = box.yMin;
      } else if (c1 & 2) {
        y1 += (box.xMax - x1) * dy / dx;
        x1 = box.xMax;
      } else {
        y1 += (box.xMin - x1) * dy / dx;
        x1 = box.xMin;
      }
      startCut = true;
      c1 = OutCode(box, x1, y1);
    }
  }
  start = QPointF(x1, y1);
  end = QPointF(x2, y2);
  if (startCut && disContinue) return -1;
  return result;
}

void BuildPolylines(const TClipBox& box, bool disContinue, const TGraphValueList& xValues,
                    const TGraphValueList& yValues, int first, int count,
                    const TPixelMapper& toPixel, TGraphPointList& points,
                    TGraphIntegerList& counts) {
  const double* xs = xValues.List();
  const double* ys = yValues.List();
  int open = 0;
  const int last = first + count - 1;
  for (int i = first; i < last; ++i) {
    QPointF start(xs[i], ys[i]);
    QPointF end(xs[i + 1], ys[i + 1]);
    switch (ClipSegment(box, disContinue, start, end)) {
      case 0:
        points.Add(toPixel(start.x(), start.y()));
        points.Add(toPixel(end.x(), end.y()));
        counts.Add(open + 2);
        open = 0;
        break;
      case 1:
        points.Add(toPixel(start.x(), start.y()));
        ++open;
        if (i + 1 == last) {
          points.Add(toPixel(end.x(), end.y()));
          counts.Add(open + 1);
          open = 0;
        }
        break;
      default:
        break;
    }
  }
}

void BuildPolygon(const TClipBox& box, bool disContinue, const TGraphValueList& xValues,
                  const TGraphValueList& yValues, int first, int count,
                  const TPixelMapper& toPixel, TGraphPointList& points) {
  if (count < 2) return;
  const double* xs = xValues.List();
  const double* ys = yValues.List();
  const int last = first + count - 1;
  for (int i = first; i < last; ++i) {
    QPointF start(xs[i], ys[i]);
    QPointF end(xs[i + 1], ys[i + 1]);
    ClipSegment(box, disContinue, start, end);
    points.Add(toPixel(start.x(), start.y()));
    if (i + 1 == last) points.Add(toPixel(end.x(), end.y()));
  }
}

}  // namespace zc
