// Zooming and panning the graph with the mouse, as arithmetic on axis
// ranges and pixel positions: no widgets, no painting. Every scale zooms and
// pans in its own space: a logarithmic axis by decades, the others (linear,
// percent, π) by plain values.
#pragma once

#include "axis_types.h"

#include <QString>

namespace zc {

class TGraphAxis;

// One axis range as navigation sees it.
struct TAxisSpan {
  double min = 0;
  double max = 0;
  TAxisScale scale = asNormal;
};

// Where an axis lies on the screen in a layout: the pixel of its minimum
// end and its length. Taken from the axis (AxisPixelsOf) when a gesture
// starts, so the gesture keeps working on the picture the user saw.
struct TAxisPixels {
  double minPos = 0;
  double plotSize = 1;
  bool vertical = false;  // y grows downward, away from the maximum
  bool inverted = false;  // the maximum at the minimum end
};

TAxisPixels AxisPixelsOf(const TGraphAxis& axis);
TAxisSpan AxisSpanOf(const TGraphAxis& axis);

// Position along the span, 0 at the minimum and 1 at the maximum, measured
// in the scale's own space; beyond the ends it runs on past 0 and 1.
double SpanFraction(const TAxisSpan& span, double value);
double ValueAtFraction(const TAxisSpan& span, double fraction);

// Fraction of the span at a screen pixel, and the (unrounded) pixel of a
// fraction.
double FractionAtPixel(const TAxisPixels& pixels, double pixel);
double PixelAtFraction(const TAxisPixels& pixels, double fraction);

// The span zoomed by `factor` (below 1 closer, above 1 farther) around the
// value `anchor`, which keeps its place. Zooming closer stops, returning the
// span unchanged, before the span gets narrower than kMinNavigationWidth or
// than the numbers at its ends can tell apart.
TAxisSpan ZoomSpan(const TAxisSpan& span, double anchor, double factor);
inline constexpr double kMinNavigationWidth = 1e-7;
inline constexpr double kMinNavigationRelativeWidth = 1e-12;

// The span moved by `fraction` of its width toward the maximum.
TAxisSpan PanSpan(const TAxisSpan& span, double fraction);

// The ends rounded to a tenth of what one of `plotPixels` pixels shows
// there, so the side panel gets short numbers and the picture stays put.
TAxisSpan RoundedSpan(const TAxisSpan& span, double plotPixels);

// How many tick intervals the side panel's range has (width / step), kept
// within what the axis accepts, so navigation keeps the panel's tick
// density.
int NavigationIntervals(double min, double max, double step);
// A tick step for a span reached by navigation: `currentStep` while it
// still fits the span, else a nice step giving about `intervals` intervals
// (multiples of π on a π axis).
double NavigationTickStep(const TAxisSpan& span, double currentStep, int intervals);

// The zoom factor of a wheel turn of `angleDelta` eighths of a degree: one
// notch (120) away from the user zooms in by a fifth.
double WheelZoomFactor(int angleDelta);
inline constexpr double kWheelNotchFactor = 0.8;

// The value under the cursor as the axis labels would write it (π
// multiples, percent), rounded to a step of 1, 2 or 5 × 10^n no finer than
// half a pixel of `pixels`, so the pixel a value is drawn at reads as that
// value.
QString AxisReadoutText(const TAxisSpan& span, const TAxisPixels& pixels, double pixel, const QString& piSymbol);

}  // namespace zc
