#include "axis_ticks.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "number_text.h"

namespace zc {

namespace {

constexpr double Pi = std::numbers::pi;

// Labels of values below 0.00001 in magnitude switch to scientific form.
constexpr int kSmallestFixedLabelExponent = -5;

// Loops that walk a range in steps give up when the step no longer moves the
// value (a tiny range far from zero) instead of spinning forever, and stop
// after more ticks than any screen can show (a manual step left small while
// the range grows a millionfold).
constexpr int MaxTickWalk = 10000;

// Linear ticks arrive in ascending order, so a repeated value can only be
// the last one added: no scan of the whole list.
void AddAscending(TGraphValueList& list, double value, double minimum, double maximum) {
  if (value < minimum || value > maximum) return;
  if (list.Count() > 0 && list.List()[list.Count() - 1] == value) return;
  list.Add(value);
}

}  // namespace

double CalcNiceStep(double range, int ticksCount, bool piScale) {
  double x = piScale ? range / Pi : range;
  x /= std::max(ticksCount, 1);
  if (!(x > 0) || !std::isfinite(x)) return piScale ? Pi : 1.0;
  double p = std::pow(10.0, std::floor(std::log10(x)));
  double m = x / p;
  if (m < 1) {
    m *= 10;
    p /= 10;
  } else if (m >= 10) {
    m /= 10;
    p *= 10;
  }
  // Candidates from the smallest up; the one chosen is the first that the
  // mantissa does not exceed.
  constexpr std::array<double, 5> Multipliers = {1, 2, 2.5, 5, 10};
  // A π scale has no 2.5.
  const auto skipped = [piScale](double multiplier) { return piScale && multiplier == 2.5; };
  std::size_t chosen = 0;
  while (chosen + 1 < Multipliers.size() && (m > Multipliers[chosen] || skipped(Multipliers[chosen]))) ++chosen;
  const double unit = piScale ? Pi : 1.0;
  // A range near the largest number may want a step that has no number;
  // the largest nice step that exists splits it into a few more intervals.
  while (chosen > 0 && (!std::isfinite(Multipliers[chosen] * p * unit) || skipped(Multipliers[chosen]))) --chosen;
  return Multipliers[chosen] * p * unit;
}

double CalcAutoOrigin(double lo, double hi, double step, bool autoMin, bool autoMax) {
  if (step == 0) return lo;
  if (hi >= 0 && lo <= 0) return 0;
  if (lo > 0 && autoMin) return step * std::floor(lo / step);
  if (hi < 0 && autoMax) return step * std::ceil(hi / step);
  return lo;
}

double CalcAutoMax(double hi, double origin, double step) {
  double t = hi >= origin ? origin + step * std::floor((hi - origin) / step) : origin;
  // At most ten tenth-steps remain; more means the step is lost in rounding.
  for (int i = 0; t < hi; ++i) {
    if (i > 20) return hi;
    t += step / 10;
  }
  // Data next to the largest number: no grid point lies beyond it.
  return std::isfinite(t) ? t : hi;
}

double CalcAutoMin(double lo, double origin, double step) {
  double t = origin >= lo ? origin - step * std::floor((origin - lo) / step) : origin;
  for (int i = 0; t > lo; ++i) {
    if (i > 20) return lo;
    t -= step / 10;
  }
  return std::isfinite(t) ? t : lo;
}

void AddTickValue(TGraphValueList& list, double value, double minimum, double maximum) {
  if (value < minimum || value > maximum) return;
  const double* values = list.List();
  for (int i = 0; i < list.Count(); ++i)
    if (values[i] == value) return;
  list.Add(value);
}

double DrawnTickStep(double range, double tickStep, int ticksCount) {
  if (!(tickStep > 0) || !(range / tickStep > kMaxTickIntervals)) return tickStep;
  const double needed = range / tickStep / std::max(ticksCount, 1);
  if (!std::isfinite(needed)) return tickStep;
  const double power = std::pow(10.0, std::floor(std::log10(needed)));
  for (const double mantissa : {1.0, 2.0, 5.0}) {
    if (mantissa * power >= needed) return tickStep * mantissa * power;
  }
  return tickStep * 10 * power;
}

void BuildLinearTicks(double minimum, double maximum, double tickStep, int subTicksCount,
                      double origin, bool autoOrigin, TGraphValueList& ticks,
                      TGraphValueList& subTicks) {
  ticks.Clear();
  subTicks.Clear();
  if (!(tickStep > 0) || !std::isfinite(minimum) || !std::isfinite(maximum)) return;
  const int parts = std::max(subTicksCount, 1);
  const double sub = tickStep / parts;
  const double eps = 0.001 * tickStep;
  double t = autoOrigin ? tickStep * std::ceil(minimum / tickStep - 0.05) : origin;
  for (int i = 0; t > minimum + eps && i < MaxTickWalk; ++i) {
    const double next = t - tickStep;
    // Near the most negative number a step further down does not exist:
    // the first tick is the lowest one there is.
    if (next == t || !std::isfinite(next)) break;
    t = next;
  }
  for (int i = 0; t < maximum + eps && i < MaxTickWalk; ++i) {
    if (minimum - eps < t) {
      AddAscending(ticks, t, minimum, maximum);
      for (int k = 1; k < parts; ++k) {
        const double s = t + k * sub;
        if (minimum < s && s < maximum) AddAscending(subTicks, s, minimum, maximum);
      }
    }
    const double next = t + tickStep;
    if (next == t) break;
    t = next;
  }
}

void BuildLogTicks(double minimum, double maximum, int ticksCount, int subTicksCount,
                   TGraphValueList& ticks, TGraphValueList& subTicks) {
  ticks.Clear();
  subTicks.Clear();
  if (!(minimum > 0) || !std::isfinite(maximum)) return;
  const int e0 = static_cast<int>(std::floor(std::log10(minimum)));
  int e1 = static_cast<int>(std::floor(std::log10(maximum)));
  if (e1 == e0) ++e1;
  const int decades = e1 - e0;
  const int count = std::max(ticksCount, 1);
  int n = count / decades;
  if (n > 0) {
    n = std::min(n, 14);
    const int k = std::min(n + subTicksCount, 14);
    for (int e = e0; e <= e1; ++e) {
      const double p = std::pow(10.0, e);
      for (int i = 0; i < n; ++i) AddTickValue(ticks, LogTickFactors[i] * p, minimum, maximum);
      for (int i = n; i <= k; ++i)
        AddTickValue(subTicks, LogTickFactors[i] * p / 10, minimum, maximum);
    }
  } else {
    const int d = (decades + count - 1) / count;
    const int factors = std::min(subTicksCount - 1, 14);
    for (int e = e0; e <= e1; e += d) {
      const double p = std::pow(10.0, e);
      AddTickValue(ticks, p, minimum, maximum);
      double skipped = p;
      for (int i = 1; i < d; ++i) {
        skipped /= 10;
        AddTickValue(subTicks, skipped, minimum, maximum);
      }
      for (int i = 1; i <= factors; ++i)
        AddTickValue(subTicks, LogTickFactors[i] * p / 10, minimum, maximum);
    }
  }
  ticks.Sort();
  subTicks.Sort();
}

QString FormatGeneral(double value, int precision) {
  return QString::fromStdString(GeneralText(value, std::clamp(precision, 1, 18), kSmallestFixedLabelExponent));
}

QString FormatFixed(double value, int precision, int decimals) {
  if (std::isfinite(value) && value != 0 && std::floor(std::log10(std::fabs(value))) + 1 > precision)
    return FormatGeneral(value, precision);
  return QString::fromStdString(FixedText(value, std::clamp(decimals, 0, 18)));
}

QString FormatAxisLabel(double value, const TLabelFormat& format) {
  if (format.scale == asPi) value /= Pi;
  // A percent axis holds fractions: 0.5 is labelled 50%.
  if (format.scale == asPercent) value *= 100;
  if (std::fabs(value) < 1e-10) value = 0;
  const int precision = format.labelDecimal + 6;
  QString text = format.autoDecimal ? FormatGeneral(value, precision)
                                    : FormatFixed(value, precision, format.labelDecimal);
  if (format.scale == asPercent) return text + QStringLiteral("%");
  if (format.scale == asPi) {
    if (value == 0) return QStringLiteral("0");
    if (format.piSymbol.isEmpty()) return text;
    if (text == QStringLiteral("1")) return format.piSymbol;
    if (text == QStringLiteral("-1")) return QStringLiteral("-") + format.piSymbol;
    return text + format.piSymbol;
  }
  return text;
}

}  // namespace zc
