// Pure axis arithmetic: nice steps, automatic crossing value and ends, tick
// and sub-tick values on linear and logarithmic scales, and label texts.
// No painter, no fonts: everything here is tested with plain numbers.
#pragma once

#include "axis_types.h"
#include "graph_lists.h"

#include <QString>

#include <array>

namespace zc {

// Mantissas of logarithmic ticks in the order they are taken when a decade
// has room for more than the power of ten itself.
inline constexpr std::array<double, 15> LogTickFactors = {
    1, 5, 2, 3, 1.5, 7, 4, 6, 1.2, 8, 9, 1.3, 2.5, 1.1, 1.4};

// A step of 1, 2, 2.5 or 5 × 10^n (π multiples of 1, 2, 5 × 10^n on a π
// scale) that splits `range` into about `ticksCount` intervals.
double CalcNiceStep(double range, int ticksCount, bool piScale);

// Where the other axis crosses when the crossing value is automatic: zero if
// the data straddle it, else the step multiple next to the data.
double CalcAutoOrigin(double lo, double hi, double step, bool autoMin, bool autoMax);

// Automatic ends: the nearest point at or beyond the data on the grid of
// tenth-steps anchored at the crossing value.
double CalcAutoMax(double hi, double origin, double step);
double CalcAutoMin(double lo, double origin, double step);

// The most intervals a typed tick step may split its axis into.
inline constexpr double kMaxTickIntervals = 30;

// The step linear ticks are drawn with. A typed step that its range has
// outgrown (the range widened after the step was set, past
// kMaxTickIntervals) is taken 2, 5, 10, 20, … times, just enough for at most
// `ticksCount` intervals, as an automatic step would give: the ticks stay on
// its multiples and the labels have room.
double DrawnTickStep(double range, double tickStep, int ticksCount);

// Ticks at multiples of the step (or on the crossing value's grid when the
// crossing value is fixed), each interval split into `subTicksCount` parts.
void BuildLinearTicks(double minimum, double maximum, double tickStep, int subTicksCount,
                      double origin, bool autoOrigin, TGraphValueList& ticks,
                      TGraphValueList& subTicks);

// Decade ticks: as many factors per decade as the tick count allows, or one
// tick every few decades with the skipped powers as sub-ticks.
void BuildLogTicks(double minimum, double maximum, int ticksCount, int subTicksCount,
                   TGraphValueList& ticks, TGraphValueList& subTicks);

// Adds `value` when it lies in [minimum, maximum] and is not in the list yet.
void AddTickValue(TGraphValueList& list, double value, double minimum, double maximum);

struct TLabelFormat {
  TAxisScale scale;
  bool autoDecimal = true;
  int labelDecimal = 0;
  QString piSymbol = QStringLiteral("Pi");
};

// The label of a tick value: π multiples on a π scale, hundredths with "%"
// on a percent scale, tiny values as 0.
QString FormatAxisLabel(double value, const TLabelFormat& format);

// General number text with at most `precision` significant digits: trailing
// zeros dropped, scientific ("1.5E-7", "1E20") for very small values or more
// integer digits than the precision.
QString FormatGeneral(double value, int precision);
// Fixed text with exactly `decimals` decimals (scientific when the integer
// part has more digits than `precision`).
QString FormatFixed(double value, int precision, int decimals);

}  // namespace zc
