#include "series_clipping.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zc {

namespace {

template <typename Real>
int RegionCode(const TClipBox& box, Real x, Real y) {
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

// The clipping itself, in the number type `Real`: double as a rule, the
// extended type for coordinates so large that their differences, or the
// products of them, would not fit in a double.
template <typename Real>
int ClipIn(const TClipBox& box, bool disContinue, Real& x1, Real& y1, Real& x2, Real& y2) {
  int c1 = RegionCode(box, x1, y1);
  int c2 = RegionCode(box, x2, y2);
  const int result = c2 == 0 ? 1 : 0;
  bool startCut = false;
  // Each round puts one coordinate exactly on the border; rounding can ask
  // for a few more rounds, never for many.
  for (int round = 0; (c1 | c2) != 0; ++round) {
    if ((c1 & c2) != 0 || round > 8) return -1;
    const Real dx = x2 - x1;
    const Real dy = y2 - y1;
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
      c2 = RegionCode(box, x2, y2);
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
      c1 = RegionCode(box, x1, y1);
    }
  }
  if (startCut && disContinue) return -1;
  return result;
}

// A value beyond the largest number (a sample that overflowed) is drawn
// as the largest number: the curve runs off the plot towards it.
double Finite(double value) {
  constexpr double largest = std::numeric_limits<double>::max();
  return std::clamp(value, -largest, largest);
}

// Below this magnitude every difference of two coordinates, and every
// product of two differences, fits in a double. Beyond it the clipping
// takes the extended type, which has room for them all.
constexpr double kPlainClipLimit = 1e150;

bool FitsPlainClip(const TClipBox& box, double x1, double y1, double x2, double y2) {
  for (const double value : {x1, y1, x2, y2, box.xMin, box.xMax, box.yMin, box.yMax})
    if (!(std::fabs(value) <= kPlainClipLimit)) return false;
  return true;
}

}  // namespace

int OutCode(const TClipBox& box, double x, double y) { return RegionCode(box, x, y); }

int ClipSegment(const TClipBox& box, bool disContinue, QPointF& start, QPointF& end) {
  // A point that is no number lies nowhere: no line leads to it.
  if (std::isnan(start.x()) || std::isnan(start.y()) || std::isnan(end.x()) || std::isnan(end.y())) return -1;
  double x1 = Finite(start.x());
  double y1 = Finite(start.y());
  double x2 = Finite(end.x());
  double y2 = Finite(end.y());
  int result;
  if (FitsPlainClip(box, x1, y1, x2, y2)) {
    result = ClipIn(box, disContinue, x1, y1, x2, y2);
  } else {
    long double wideX1 = x1, wideY1 = y1, wideX2 = x2, wideY2 = y2;
    result = ClipIn(box, disContinue, wideX1, wideY1, wideX2, wideY2);
    x1 = static_cast<double>(wideX1);
    y1 = static_cast<double>(wideY1);
    x2 = static_cast<double>(wideX2);
    y2 = static_cast<double>(wideY2);
  }
  start = QPointF(x1, y1);
  end = QPointF(x2, y2);
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
