#include "view_navigation.h"

#include "axis_ticks.h"
#include "calc_expression.h"
#include "graph_axis.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace zc {

namespace {

double ToScaleSpace(double value, TAxisScale scale) { return scale == asLog ? std::log10(value) : value; }
double FromScaleSpace(double t, TAxisScale scale) { return scale == asLog ? std::pow(10.0, t) : t; }

// `value` to the power of ten at or below `resolution`; left alone where
// that power cannot hold it.
double RoundToResolution(double value, double resolution) {
  if (!(resolution > 0) || !std::isfinite(resolution) || !std::isfinite(value)) return value;
  const int exponent = static_cast<int>(std::floor(std::log10(resolution)));
  const double units = std::round(value / std::pow(10.0, exponent));
  if (!std::isfinite(units) || std::fabs(units) > 1e15) return value;
  // Dividing by an exact power of ten rounds once; multiplying by an inexact
  // one (0.001) leaves digits such as 1.2340000000000002.
  if (exponent < 0 && exponent >= -22) return units / std::pow(10.0, -exponent);
  return units * std::pow(10.0, exponent);
}

// `value` to the nearest multiple of the smallest of 1, 2 or 5 × 10^n that
// is at least `resolution`.
double RoundToNiceStep(double value, double resolution) {
  if (!(resolution > 0) || !std::isfinite(resolution) || !std::isfinite(value)) return value;
  int exponent = static_cast<int>(std::floor(std::log10(resolution)));
  const double mantissa = resolution / std::pow(10.0, exponent);
  int multiple = 10;
  for (int candidate : {1, 2, 5}) {
    if (candidate >= mantissa) {
      multiple = candidate;
      break;
    }
  }
  if (multiple == 10) {
    multiple = 1;
    ++exponent;
  }
  const double units = std::round(value / (multiple * std::pow(10.0, exponent)));
  if (!std::isfinite(units) || std::fabs(units) > 1e15) return value;
  if (exponent < 0 && exponent >= -22) return units * multiple / std::pow(10.0, -exponent);
  return units * multiple * std::pow(10.0, exponent);
}

bool WideEnough(double min, double max) {
  const double width = max - min;
  return width >= kMinNavigationWidth &&
         width >= kMinNavigationRelativeWidth * std::max(std::fabs(min), std::fabs(max));
}

}  // namespace

TAxisPixels AxisPixelsOf(const TGraphAxis& axis) {
  return {static_cast<double>(axis.MinPos()), static_cast<double>(std::max(axis.PlotSize(), 1)),
          axis.Orientation() == aoVertical, axis.Inverted()};
}

TAxisSpan AxisSpanOf(const TGraphAxis& axis) { return {axis.Min(), axis.Max(), axis.AxisScale()}; }

double SpanFraction(const TAxisSpan& span, double value) {
  const double lo = ToScaleSpace(span.min, span.scale);
  const double hi = ToScaleSpace(span.max, span.scale);
  return (ToScaleSpace(value, span.scale) - lo) / (hi - lo);
}

double ValueAtFraction(const TAxisSpan& span, double fraction) {
  const double lo = ToScaleSpace(span.min, span.scale);
  const double hi = ToScaleSpace(span.max, span.scale);
  return FromScaleSpace(lo + fraction * (hi - lo), span.scale);
}

double FractionAtPixel(const TAxisPixels& pixels, double pixel) {
  const double along = pixels.vertical ? pixels.minPos - pixel : pixel - pixels.minPos;
  const double fraction = along / pixels.plotSize;
  return pixels.inverted ? 1.0 - fraction : fraction;
}

double PixelAtFraction(const TAxisPixels& pixels, double fraction) {
  const double along = (pixels.inverted ? 1.0 - fraction : fraction) * pixels.plotSize;
  return pixels.vertical ? pixels.minPos - along : pixels.minPos + along;
}

TAxisSpan ZoomSpan(const TAxisSpan& span, double anchor, double factor) {
  if (!(factor > 0) || !std::isfinite(factor) || factor == 1.0) return span;
  const double a = ToScaleSpace(anchor, span.scale);
  const double lo = ToScaleSpace(span.min, span.scale);
  const double hi = ToScaleSpace(span.max, span.scale);
  if (!std::isfinite(a)) return span;
  const TAxisSpan zoomed{FromScaleSpace(a - (a - lo) * factor, span.scale),
                         FromScaleSpace(a + (hi - a) * factor, span.scale), span.scale};
  if (factor < 1.0 && !WideEnough(zoomed.min, zoomed.max)) return span;
  return zoomed;
}

TAxisSpan PanSpan(const TAxisSpan& span, double fraction) {
  const double lo = ToScaleSpace(span.min, span.scale);
  const double hi = ToScaleSpace(span.max, span.scale);
  const double shift = fraction * (hi - lo);
  return {FromScaleSpace(lo + shift, span.scale), FromScaleSpace(hi + shift, span.scale), span.scale};
}

TAxisSpan RoundedSpan(const TAxisSpan& span, double plotPixels) {
  if (!(plotPixels > 0)) return span;
  TAxisSpan rounded = span;
  if (span.scale == asLog) {
    // A pixel covers a fixed share of the value on a log axis.
    const double decadesPerTenthPixel = (std::log10(span.max) - std::log10(span.min)) / plotPixels / 10;
    const double share = decadesPerTenthPixel * std::numbers::ln10;
    rounded.min = RoundToResolution(span.min, span.min * share);
    rounded.max = RoundToResolution(span.max, span.max * share);
    if (!(rounded.min > 0)) rounded.min = span.min;
  } else {
    const double tenthPixel = (span.max - span.min) / plotPixels / 10;
    rounded.min = RoundToResolution(span.min, tenthPixel);
    rounded.max = RoundToResolution(span.max, tenthPixel);
  }
  return rounded.min < rounded.max ? rounded : span;
}

int NavigationIntervals(double min, double max, double step) {
  constexpr int kFallback = 4;
  const double intervals = (max - min) / step;
  if (!(step > 0) || !std::isfinite(intervals)) return kFallback;
  return static_cast<int>(std::clamp(std::round(intervals), 2.0, 29.0));
}

double NavigationTickStep(const TAxisSpan& span, double currentStep, int intervals) {
  const double width = span.max - span.min;
  const double shown = width / currentStep;
  // Ticks stay where they are while the density is near the panel's: the
  // labels do not jump at every notch of the wheel.
  if (currentStep > 0 && currentStep <= width && shown <= 30 && shown >= intervals / 1.5 &&
      shown <= intervals * 1.5)
    return currentStep;
  // A nice step is at most 2.5 times the plain share (π multiples skip 2.5),
  // so three intervals at least keep it within the span.
  return CalcNiceStep(width, std::clamp(intervals, 3, 29), span.scale == asPi);
}

double WheelZoomFactor(int angleDelta) { return std::pow(kWheelNotchFactor, angleDelta / 120.0); }

QString AxisReadoutText(const TAxisSpan& span, const TAxisPixels& pixels, double pixel, const QString& piSymbol) {
  const double value = ValueAtFraction(span, FractionAtPixel(pixels, pixel));
  double perPixel = (span.max - span.min) / pixels.plotSize;
  if (span.scale == asLog)
    perPixel = value * std::numbers::ln10 * (std::log10(span.max) - std::log10(span.min)) / pixels.plotSize;
  double shown = value;
  if (span.scale == asPi) {
    shown /= std::numbers::pi;
    perPixel /= std::numbers::pi;
  } else if (span.scale == asPercent) {
    // As the labels read: a fraction of one as a percentage.
    shown *= 100;
    perPixel *= 100;
  }
  // The cursor sits within half a pixel of any value drawn under it:
  // that is all the precision there is.
  shown = RoundToNiceStep(shown, perPixel / 2);
  if (shown == 0) shown = 0;  // no "-0"
  const QString text = QString::fromStdString(ResultText(static_cast<long double>(shown)));
  if (span.scale == asPercent) return text + QStringLiteral("%");
  if (span.scale == asPi && shown != 0) {
    if (text == QStringLiteral("1")) return piSymbol;
    if (text == QStringLiteral("-1")) return QStringLiteral("-") + piSymbol;
    return text + piSymbol;
  }
  return text;
}

}  // namespace zc
