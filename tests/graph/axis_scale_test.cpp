#include "axis_ticks.h"
#include "graph_error.h"
#include "xy_graph.h"
#include "scoped_locale.h"
#include "xy_series_line.h"

#include <gtest/gtest.h>

#include <QLocale>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <numbers>
#include <string>
#include <vector>

namespace zc {
namespace {

constexpr double Pi = std::numbers::pi;
constexpr double Largest = std::numeric_limits<double>::max();

std::vector<double> Values(const TGraphValueList& list) {
  return std::vector<double>(list.List(), list.List() + list.Count());
}

void ExpectValuesNear(const std::vector<double>& actual, const std::vector<double>& expected,
                      const std::string& what) {
  ASSERT_EQ(actual.size(), expected.size()) << what;
  for (std::size_t i = 0; i < actual.size(); ++i)
    EXPECT_NEAR(actual[i], expected[i], 1e-9 * std::max(1.0, std::fabs(expected[i])))
        << what << " at " << i;
}

// A graph whose only series spans lo … hi in both directions.
struct GraphWithData {
  TXYGraph graph;
  TXYLineSeries* series = new TXYLineSeries();
  GraphWithData(double lo, double hi) {
    series->SetParentGraph(&graph);
    series->AddXY(lo, lo);
    series->AddXY(hi, hi);
  }
};

TEST(NiceStep, PicksOneTwoTwoAndAHalfOrFive) {
  struct Case {
    double range;
    int ticks;
    bool pi;
    double step;
  };
  const Case cases[] = {
      {10, 6, false, 2},       {10, 4, false, 2.5},     {10, 5, false, 2},
      {10, 2, false, 5},       {10, 1, false, 10},      {9.4, 6, false, 2},
      {100, 6, false, 20},     {0.07, 6, false, 0.02},  {7e6, 6, false, 2e6},
      {2 * Pi, 6, true, 0.5 * Pi}, {2 * Pi, 3, true, Pi}, {5 * Pi, 2, true, 5 * Pi},
      // No 2.5 on a π scale: the mantissa goes on to 5.
      {2.4 * Pi, 1, true, 5 * Pi},
      // Near the largest number the nice step above would not exist.
      {1.6e308, 1, false, 1e308},  {Largest, 1, false, 1e308}, {Largest, 2, false, 1e308},
      {1.7e308, 1, true, 5e307 * Pi}, {9e307, 1, false, 1e308},
  };
  for (const Case& c : cases)
    EXPECT_NEAR(CalcNiceStep(c.range, c.ticks, c.pi), c.step, 1e-12 * c.step)
        << c.range << " over " << c.ticks << (c.pi ? " (pi)" : "");
}

TEST(AutoOrigin, IsZeroOrTheStepMultipleNextToTheData) {
  struct Case {
    double lo, hi, step;
    bool autoMin, autoMax;
    double origin;
  };
  const Case cases[] = {
      {0.3, 9.7, 2, true, true, 0},  {-3, 4, 1, true, true, 0},   {3.5, 9, 2, true, true, 2},
      {-7, -2.5, 1, true, true, -2}, {3.5, 9, 2, false, true, 3.5}, {-7, -2.5, 1, true, false, -7},
      {1, 2, 0, true, true, 1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CalcAutoOrigin(c.lo, c.hi, c.step, c.autoMin, c.autoMax), c.origin)
        << c.lo << " … " << c.hi;
}

TEST(AxisAutoscale, FollowsTheDataOnATenthStepGrid) {
  struct Case {
    double lo, hi;
    double min, max, origin, step;
    std::vector<double> ticks;
  };
  const Case cases[] = {
      {0.3, 9.7, 0, 9.8, 0, 2, {0, 2, 4, 6, 8}},
      // One point: widened to 2 … 4 first.
      {3, 3, 2, 4, 2, 0.5, {2, 2.5, 3, 3.5, 4}},
      {-7, -2, -7, -2, -2, 1, {-7, -6, -5, -4, -3, -2}},
      {-3, 4, -3, 4, 0, 2, {-2, 0, 2, 4}},
      {12, 97, 0, 98, 0, 20, {0, 20, 40, 60, 80}},
  };
  for (const Case& c : cases) {
    GraphWithData g(c.lo, c.hi);
    TGraphAxis& axis = g.graph.XAxis();
    axis.RecalcScale();
    const std::string what = std::to_string(c.lo) + " … " + std::to_string(c.hi);
    EXPECT_NEAR(axis.Min(), c.min, 1e-9) << what;
    EXPECT_NEAR(axis.Max(), c.max, 1e-9) << what;
    EXPECT_NEAR(axis.Origin(), c.origin, 1e-9) << what;
    EXPECT_NEAR(axis.TickStep(), c.step, 1e-9) << what;
    ExpectValuesNear(Values(axis.TickDataList()), c.ticks, what);
    ExpectValuesNear(Values(axis.LabelValueList()), c.ticks, what + " labels");
  }
}

TEST(AxisManualScale, TicksFollowTheFixedCrossingValue) {
  TXYGraph graph;
  TGraphAxis& axis = graph.XAxis();
  axis.SetMax(10);
  axis.SetMin(-10);
  axis.SetTickStep(5);
  EXPECT_FALSE(axis.AutoMax());
  EXPECT_FALSE(axis.AutoMin());
  EXPECT_FALSE(axis.AutoStep());
  ExpectValuesNear(Values(axis.TickDataList()), {-10, -5, 0, 5, 10}, "±10 step 5");
  EXPECT_EQ(axis.SubTickDataList().Count(), 16);

  axis.SetOrigin(1);
  ExpectValuesNear(Values(axis.TickDataList()), {-9, -4, 1, 6}, "crossing at 1");
}

TEST(LinearTicks, SubTicksSplitEachInterval) {
  TGraphValueList ticks;
  TGraphValueList subTicks;
  BuildLinearTicks(0, 1, 0.5, 5, 0, true, ticks, subTicks);
  ExpectValuesNear(Values(ticks), {0, 0.5, 1}, "ticks");
  ExpectValuesNear(Values(subTicks), {0.1, 0.2, 0.3, 0.4, 0.6, 0.7, 0.8, 0.9}, "sub-ticks");
}

TEST(DrawnTickStep, ATypedStepTheRangeOutgrewIsTakenEnoughTimesForTheTickCount) {
  const struct {
    double range, step;
    int ticksCount;
    double drawn;
  } cases[] = {
      {20, 5, 6, 5},             // 4 intervals: as typed
      {150, 5, 6, 5},            // 30 intervals: still as typed
      {155, 5, 6, 50},           // 31 intervals: 3 of ten steps
      {1010, 5, 6, 250},         // 202 intervals: 4 of fifty steps
      {600, 5, 6, 100},          // 6 of twenty steps
      {600, 5, 5, 250},          // fewer ticks wanted
      {1e9, 0.5, 6, 2.5e8},      // 2e9 intervals
      {1e307, 5, 6, 2.5e306},    // more intervals than any walk
      {20, 0, 6, 0},             // no step to fit
      {HUGE_VAL, 5, 6, 5},       // no range to fit
  };
  for (const auto& c : cases) {
    EXPECT_DOUBLE_EQ(DrawnTickStep(c.range, c.step, c.ticksCount), c.drawn) << c.range << " / " << c.step;
  }
}

TEST(LinearTicks, AStepTheRangeOutgrewDrawsAboutTheTickCountOnItsMultiples) {
  TXYGraph graph;
  TGraphAxis& axis = graph.XAxis();
  axis.SetTickStep(0.5);
  // Typing a huge maximum keeps the old step: 2e9 intervals of it.
  axis.SetMax(1e9);
  EXPECT_EQ(axis.TickStep(), 0.5);
  const TGraphValueList& ticks = axis.TickDataList();
  EXPECT_LE(ticks.Count(), axis.CurrTicksCount() + 1);
  EXPECT_GE(ticks.Count(), 3);
  for (int i = 0; i < ticks.Count(); ++i) EXPECT_EQ(std::fmod(ticks.GetValue(i), 0.5), 0) << ticks.GetValue(i);
}

// Ranges at the ends of the number line: walking a step beyond the first or
// last tick would leave the numbers, and every tick that exists is kept.
TEST(LinearTicks, RangesNearTheLargestNumberGetEveryTick) {
  struct Case {
    double min, max, step, origin;
    bool autoOrigin;
    std::vector<double> ticks;
  };
  const Case cases[] = {
      {-1.6e308, 0, 5e307, 0, true, {-1.5e308, -1e308, -5e307, 0}},
      {-1.7e308, -1e308, 2e307, 0, true, {-1.6e308, -1.4e308, -1.2e308, -1e308}},
      {-Largest, 0, 5e307, 0, true, {-1.5e308, -1e308, -5e307, 0}},
      {1.7e308, Largest, 1e307, 0, true, {1.7e308}},
      {1e308, Largest, 5e307, 0, true, {1e308, 1.5e308}},
      // A fixed crossing value far inside: the walk down stops at the last
      // finite tick.
      {-Largest, -1e308, 2e307, -1e308, false, {-1.6e308, -1.4e308, -1.2e308, -1e308}},
  };
  for (const Case& c : cases) {
    TGraphValueList ticks;
    TGraphValueList subTicks;
    BuildLinearTicks(c.min, c.max, c.step, 5, c.origin, c.autoOrigin, ticks, subTicks);
    ExpectValuesNear(Values(ticks), c.ticks, std::to_string(c.min) + " … " + std::to_string(c.max));
    for (const double s : Values(subTicks)) EXPECT_TRUE(std::isfinite(s) && s > c.min && s < c.max) << s;
  }
}

TEST(AutoEnds, StayOnTheNumbersNearTheLargestOne) {
  struct Case {
    double lo, hi, origin, step;
    double min, max;
  };
  const Case cases[] = {
      {0.3, 9.7, 0, 2, 0, 9.8},
      {-7, -2, -2, 1, -7, -2},
      // A tenth-step beyond data at the largest number does not exist.
      {0, Largest, 0, 5e307, 0, Largest},
      {-Largest, 0, 0, 5e307, -Largest, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CalcAutoMin(c.lo, c.origin, c.step), c.min) << c.lo;
    EXPECT_NEAR(CalcAutoMax(c.hi, c.origin, c.step), c.max, 1e-9 * std::max(1.0, std::fabs(c.max))) << c.hi;
  }
}

TEST(LinearTicks, ATinyRangeFarFromZeroStillEnds) {
  TGraphValueList ticks;
  TGraphValueList subTicks;
  // The step is below the spacing of doubles near 1e20: walking must stop.
  BuildLinearTicks(1e20, 1e20 + 1e6, 1, 5, 1e20, false, ticks, subTicks);
  EXPECT_LE(ticks.Count(), 1);
}

TEST(LogTicks, TakeFactorsPerDecadeOrSkipDecades) {
  struct Case {
    double min, max;
    int ticks;
    std::vector<double> expected;
  };
  const Case cases[] = {
      {1, 1000, 6, {1, 5, 10, 50, 100, 500, 1000}},
      {1, 1e12, 6, {1, 1e2, 1e4, 1e6, 1e8, 1e10, 1e12}},
      {1, 10, 6, {1, 1.5, 2, 3, 5, 7, 10}},
      {1, 100, 6, {1, 2, 5, 10, 20, 50, 100}},
      {0.01, 100, 4, {0.01, 0.1, 1, 10, 100}},
  };
  for (const Case& c : cases) {
    TGraphValueList ticks;
    TGraphValueList subTicks;
    BuildLogTicks(c.min, c.max, c.ticks, 5, ticks, subTicks);
    ExpectValuesNear(Values(ticks), c.expected,
                     std::to_string(c.min) + " … " + std::to_string(c.max));
  }
}

TEST(LogTicks, SkippedPowersBecomeSubTicks) {
  TGraphValueList ticks;
  TGraphValueList subTicks;
  BuildLogTicks(1, 1e12, 6, 5, ticks, subTicks);
  const std::vector<double> subs = Values(subTicks);
  for (double power : {10.0, 1e3, 1e5, 1e7, 1e9, 1e11})
    EXPECT_NE(std::find_if(subs.begin(), subs.end(),
                           [&](double v) { return std::fabs(v - power) < 1e-6 * power; }),
              subs.end())
        << power;
}

TEST(AxisLogScale, UsesDecadeEndsAndRejectsValuesAtOrBelowZero) {
  TXYGraph graph;
  TGraphAxis& axis = graph.XAxis();
  axis.SetMax(1000);
  axis.SetMin(1);
  axis.SetAxisScale(asLog);
  ExpectValuesNear(Values(axis.TickDataList()), {1, 5, 10, 50, 100, 500, 1000}, "1 … 1000");
  EXPECT_EQ(axis.Origin(), 1);
  EXPECT_NEAR(axis.LogRange(), 3, 1e-12);
}

struct LabelCase {
  double value;
  TAxisScale scale;
  bool autoDecimal;
  int decimals;
  const char* text;
};

template <std::size_t N>
void ExpectLabels(const LabelCase (&cases)[N]) {
  for (const LabelCase& c : cases) {
    TLabelFormat format{c.scale, c.autoDecimal, c.decimals, QStringLiteral("Pi")};
    EXPECT_EQ(FormatAxisLabel(c.value, format).toStdString(), c.text) << c.value;
  }
}

TEST(AxisLabels, TextShowsPiMultiplesPercentAndTinyValuesAsZero) {
  const LabelCase cases[] = {
      {2.5, asNormal, true, 0, "2.5"},
      {0.30000000000000004, asNormal, true, 0, "0.3"},
      {1e-11, asNormal, true, 0, "0"},
      {-4, asNormal, true, 0, "-4"},
      {123456, asNormal, true, 0, "123456"},
      {1234567, asNormal, true, 0, "1.23457E6"},
      {0.00001, asNormal, true, 0, "0.00001"},
      {0.0000015, asNormal, true, 0, "1.5E-6"},
      {2.5, asNormal, false, 2, "2.50"},
      {3, asNormal, false, 0, "3"},
      {2.5, asCustom, true, 0, "2.5"},
      {2 * Pi, asPi, true, 0, "2Pi"},
      {Pi, asPi, true, 0, "Pi"},
      {-Pi, asPi, true, 0, "-Pi"},
      {0.5 * Pi, asPi, true, 0, "0.5Pi"},
      {0, asPi, true, 0, "0"},
      {0.5, asPercent, true, 0, "50%"},
      {-0.25, asPercent, true, 0, "-25%"},
  };
  ExpectLabels(cases);
  TLabelFormat noSymbol{asPi, true, 0, QString()};
  EXPECT_EQ(FormatAxisLabel(Pi, noSymbol).toStdString(), "1");
  EXPECT_EQ(FormatAxisLabel(-2 * Pi, TLabelFormat{asPi, true, 0, QStringLiteral("π")}).toStdString(),
            "-2π");
}

TEST(AxisLabels, ReadWithAPointUnderADecimalCommaLocale) {
  const test::ScopedLocale german(test::kDecimalCommaLocale);
  if (!german.Active()) GTEST_SKIP() << test::kMissingDecimalCommaLocale;
  const QLocale previous;
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  const LabelCase cases[] = {
      {1.5, asNormal, true, 0, "1.5"},
      {0.25, asNormal, true, 0, "0.25"},
      {-1, asNormal, true, 0, "-1"},
      {1234567, asNormal, true, 0, "1.23457E6"},
      {0.0000015, asNormal, true, 0, "1.5E-6"},
      {2.5, asNormal, false, 2, "2.50"},
      {0.5 * Pi, asPi, true, 0, "0.5Pi"},
      {0.125, asPercent, true, 0, "12.5%"},
  };
  ExpectLabels(cases);
  QLocale::setDefault(previous);
}

TEST(AxisLabels, QueryHandlerReplacesTheText) {
  TXYGraph graph;
  graph.XAxis().SetOnQueryLabel([](TGraphAxis&, double value, QString& text) {
    text = QStringLiteral("<%1>").arg(value);
  });
  EXPECT_EQ(graph.XAxis().GetValueText(3).toStdString(), "<3>");
}

TEST(AxisLabels, UseTheGraphsPiSymbol) {
  TXYGraph graph;
  graph.XAxis().SetMax(2 * Pi);
  graph.XAxis().SetAxisScale(asPi);
  graph.SetPiSymbol(QStringLiteral("π"));
  EXPECT_EQ(graph.XAxis().GetValueText(Pi).toStdString(), "π");
}

std::string AxisFailure(const std::function<void(TXYGraph&)>& action) {
  TXYGraph graph;
  try {
    action(graph);
  } catch (const EXYGraphAxisError& error) {
    return error.what();
  }
  return "no error";
}

TEST(AxisErrors, EveryCheckHasItsMessage) {
  struct Case {
    const char* what;
    std::function<void(TXYGraph&)> action;
    const char* message;
  };
  const Case cases[] = {
      {"minimum above maximum", [](TXYGraph& g) { g.XAxis().SetMin(20); },
       "軸の範囲を超えています"},
      {"maximum below minimum", [](TXYGraph& g) { g.XAxis().SetMax(-20); },
       "軸の範囲を超えています"},
      {"width beyond the largest number",
       [](TXYGraph& g) {
         g.XAxis().SetMax(1e308);
         g.XAxis().SetMin(-1e308);
       },
       "軸の範囲が広すぎます"},
      {"infinite end", [](TXYGraph& g) { g.XAxis().SetMinMax(0, HUGE_VAL); }, "軸の範囲が広すぎます"},
      {"data too far apart for an automatic range",
       [](TXYGraph& g) {
         auto* series = new TXYLineSeries();
         series->SetParentGraph(&g);
         series->AddXY(-1e308, 0);
         series->AddXY(1e308, 0);
         g.CalcLayout();
       },
       "軸の範囲が広すぎます"},
      {"log range reaching zero",
       [](TXYGraph& g) {
         g.XAxis().SetMin(1);
         g.XAxis().SetAxisScale(asLog);
         g.XAxis().SetMin(-1);
       },
       "対数目盛では軸の範囲はゼロより大きくないといけません"},
      {"crossing below minimum", [](TXYGraph& g) { g.XAxis().SetOrigin(-1); },
       "軸の交点の値が最小値以下です"},
      {"crossing above maximum", [](TXYGraph& g) { g.XAxis().SetOrigin(11); },
       "軸の交点の値が最大値を超えています"},
      {"log scale from zero", [](TXYGraph& g) { g.XAxis().SetAxisScale(asLog); },
       "最小値がゼロ以下のため、対数目盛にできません"},
      {"negative decimals", [](TXYGraph& g) { g.XAxis().SetLabelDecimal(-1); },
       "負の値は無効です"},
      {"zero step", [](TXYGraph& g) { g.XAxis().SetTickStep(0); },
       "目盛間隔はゼロ以下に設定できません"},
      {"step beyond the range", [](TXYGraph& g) { g.XAxis().SetTickStep(20); },
       "目盛間隔が軸の範囲を超えています"},
      {"step too small", [](TXYGraph& g) { g.XAxis().SetTickStep(0.1); },
       "目盛間隔が小さすぎます"},
      {"mapping zero on a log axis",
       [](TXYGraph& g) {
         g.XAxis().SetMin(1);
         g.XAxis().SetAxisScale(asLog);
         g.XAxis().GetValuePos(0);
       },
       "対数目盛で値がゼロ以下です"},
  };
  for (const Case& c : cases) EXPECT_EQ(AxisFailure(c.action), c.message) << c.what;
}

TEST(AxisErrors, ARejectedEndIsKeptUntilAValidOneIsSet) {
  TXYGraph graph;
  TGraphAxis& axis = graph.XAxis();
  EXPECT_THROW(axis.SetMax(-20), EXYGraphAxisError);
  EXPECT_EQ(axis.Max(), -20);
  EXPECT_THROW(axis.RecalcScale(), EXYGraphAxisError);
  axis.SetMax(10);
  EXPECT_NO_THROW(axis.RecalcScale());
}

TEST(AxisErrors, AFailedScaleSwitchKeepsTheOldScale) {
  TXYGraph graph;
  graph.YAxis().SetMin(-10);
  EXPECT_THROW(graph.YAxis().SetAxisScale(asLog), EXYGraphAxisError);
  EXPECT_EQ(graph.YAxis().AxisScale(), asNormal);
}

TEST(AxisLoading, SettersOnlyStoreUntilLoadedValidates) {
  TXYGraph graph;
  graph.BeginLoading();
  graph.XAxis().SetMin(20);  // above the old maximum: not checked yet
  graph.XAxis().SetMax(30);
  graph.XAxis().SetTickStep(5);
  EXPECT_TRUE(graph.XAxis().AutoMin()) << "loading stores the value only";
  graph.Loaded();
  EXPECT_FALSE(graph.Loading());
  EXPECT_EQ(graph.XAxis().Min(), 20);
  EXPECT_EQ(graph.XAxis().Range(), 10);

  TXYGraph broken;
  broken.BeginLoading();
  broken.YAxis().SetMin(50);
  EXPECT_THROW(broken.Loaded(), EXYGraphAxisError);
}

TEST(AxisSetters, IgnoreValuesOutsideTheirRange) {
  TXYGraph graph;
  TGraphAxis& axis = graph.XAxis();
  axis.SetTickStep(0.5);  // ratio 20 is accepted
  EXPECT_EQ(axis.TickStep(), 0.5);
  axis.SetLabelDecimal(7);
  EXPECT_EQ(axis.LabelDecimal(), 0);
  EXPECT_TRUE(axis.AutoDecimal());
  axis.SetLabelDecimal(2);
  EXPECT_EQ(axis.LabelDecimal(), 2);
  EXPECT_FALSE(axis.AutoDecimal());
  axis.SetAutoDecimal(true);
  EXPECT_EQ(axis.LabelDecimal(), 0);
  axis.SetTicksCount(30);
  EXPECT_EQ(axis.TicksCount(), 6);
  axis.SetTicksCount(29);
  EXPECT_EQ(axis.TicksCount(), 29);
  axis.SetSubTicksCount(20);
  EXPECT_EQ(axis.SubTicksCount(), 5);
  axis.SetTitleAngle(-90);
  EXPECT_EQ(axis.TitleAngle(), 270);
  axis.SetTitleAngle(135);
  EXPECT_EQ(axis.TitleAngle(), 90);
}

TEST(AxisSetters, AxisPosStaysInsideTheBounds) {
  TXYGraph graph;
  TGraphAxis& axis = graph.XAxis();
  axis.SetAxisBounds(QRect(10, 20, 200, 100));
  axis.SetAxisPos(50);
  EXPECT_EQ(axis.AxisPos(), 50);
  axis.SetAxisPos(5);
  EXPECT_EQ(axis.AxisPos(), 50);
  axis.SetAxisPos(121);
  EXPECT_EQ(axis.AxisPos(), 50);
  axis.SetAxisPos(120);
  EXPECT_EQ(axis.AxisPos(), 120);
}

TEST(AxisMapping, RoundsToEvenAndSaturates) {
  TXYGraph graph;
  TGraphAxis& axis = graph.XAxis();
  axis.SetLabels(false);  // no label overhang: the ends stay 5 pixels in
  axis.SetMax(16);
  axis.SetMin(0);
  axis.SetAxisBounds(QRect(0, 0, 138, 50));
  ASSERT_EQ(axis.PlotSize(), 128);
  const int size = axis.PlotSize();
  EXPECT_EQ(axis.GetValueSize(0), 0);
  EXPECT_EQ(axis.GetValueSize(16), size);
  EXPECT_EQ(axis.GetValueSize(0.3125), 2) << "2.5 pixels round to even";
  EXPECT_EQ(axis.GetValueSize(0.4375), 4) << "3.5 pixels round to even";
  EXPECT_EQ(axis.GetValueSize(1e300), 2 * size) << "far values map to twice the plot";
  EXPECT_EQ(axis.GetValueSize(-1e300), -2 * size);
  EXPECT_EQ(axis.GetValuePos(8), axis.MinPos() + size / 2);
  axis.SetInverted(true);
  EXPECT_EQ(axis.GetValueSize(16), 0);

  TGraphAxis& vertical = graph.YAxis();
  vertical.SetAxisBounds(QRect(0, 0, 50, 110));
  vertical.SetMin(0);
  vertical.SetMax(10);
  EXPECT_EQ(vertical.GetValuePos(10), vertical.MaxPos());
  EXPECT_GT(vertical.GetValuePos(0), vertical.GetValuePos(10));
}

TEST(AxisLayout, ThinsTicksUntilLabelsFit) {
  TXYGraph graph;
  TGraphAxis& axis = graph.XAxis();
  axis.SetTicksCount(20);
  axis.SetMax(1000000);
  axis.SetAxisBounds(QRect(0, 0, 120, 40));
  EXPECT_LT(axis.CurrTicksCount(), 20);
  EXPECT_GE(axis.CurrTicksCount(), 1);
  EXPECT_EQ(axis.TicksCount(), 20) << "thinning keeps the wanted count";
}

}  // namespace
}  // namespace zc
