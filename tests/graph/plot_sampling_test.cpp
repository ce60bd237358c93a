// Sampling expressions for the graph tool and zeltacalc-plot, the track-bar
// spacing rules and the rule by which a new range is applied.
#include "calc_expression.h"
#include "curve_legend.h"
#include "graph_error.h"
#include "number_text.h"
#include "plot_sampling.h"
#include "tool_graph_setup.h"
#include "xy_graph.h"
#include "xy_series_line.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

namespace zc {
namespace {

struct Sample {
  double x, y;
};

TEST(PlotSpacing, trackBarFollowsTheRangeWidth) {
  struct Case {
    double xMax, xMin;
    int position;
  };
  const Case cases[] = {
      {10, -10, -100},      // default range: finest
      {1000, 0, -80},       // width 1000
      {5000, 0, 0},         //
      {10000, 0, 100},      // widest the bar can show
      {1e9, 0, 100},        // clamped
      {-20, -10, -100},     // an inverted range still gives a position
      {1024, 0, -80},       // 20.48 rounds to 20
      {1076, 0, -78},       // 21.52 rounds to 22
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TrackBarPositionForRange(c.xMax, c.xMin), c.position) << c.xMax << " " << c.xMin;
  }
}

TEST(PlotSpacing, positionGivesSpacingInSinglePrecision) {
  struct Case {
    int position;
    float spacing;
  };
  const Case cases[] = {{-100, 0.02f}, {-80, 0.2f}, {-99, 0.01f}, {0, 1.0f}, {100, 2.0f}};
  for (const Case& c : cases) EXPECT_EQ(PlotSpacing(kTrackBarMin, c.position), c.spacing) << c.position;
}

// A stand-in engine: y = 2x, failing with status 14 where x is 0.
std::vector<Sample> SampleDoubling(double xMin, double xMax, float spacing, std::vector<std::string>* seen = nullptr) {
  std::vector<Sample> samples;
  SampleExpression(
      [&](std::string_view, NameValueList& variables, TCalcResult& result) {
        if (seen) seen->push_back(variables.front());
        const double x = ReadDecimal<double>(variables.front().substr(2), kTypedDecimal).value;
        if (x == 0) {
          SetError(status::kDivisionByZero, result);
        } else {
          result.dwStatusCode = status::kSuccess;
          result.dwSource = 2 * x;
        }
        variables.push_back("ANS=1");  // as the engine does after a sample
      },
      "2*x", xMin, xMax, spacing, [&](double x, double y) { samples.push_back({x, y}); });
  return samples;
}

TEST(SampleExpression, twoSamplesPerRoundFromMinToMax) {
  const std::vector<Sample> samples = SampleDoubling(-10, 10, 0.02f);
  ASSERT_GE(samples.size(), 1000u);
  EXPECT_EQ(samples.size() % 2, 0u);
  EXPECT_DOUBLE_EQ(samples[0].x, -10);
  EXPECT_NEAR(samples[1].x, -9.98, 1e-6);
  EXPECT_NEAR(samples[2].x, -9.96, 1e-6);
  EXPECT_LE(samples[samples.size() - 2].x, 10.0);
  EXPECT_GT(samples[samples.size() - 2].x, 10.0 - 0.04 - 1e-9);
  for (const Sample& s : samples) {
    if (std::abs(s.x) > 1e-9) {
      EXPECT_NEAR(s.y, 2 * ReadDecimal<double>(ResultText(s.x), kTypedDecimal).value, 1e-12);
    }
  }
}

TEST(SampleExpression, aFailedSampleLiesAtZero) {
  const std::vector<Sample> samples = SampleDoubling(-1, 1, 0.5f);
  ASSERT_EQ(samples.size(), 6u);
  const double xs[] = {-1, -0.5, 0, 0.5, 1, 1.5};
  const double ys[] = {-2, -1, 0, 1, 2, 3};
  for (std::size_t i = 0; i < 6; ++i) {
    EXPECT_DOUBLE_EQ(samples[i].x, xs[i]);
    EXPECT_DOUBLE_EQ(samples[i].y, ys[i]);
  }
}

TEST(SampleExpression, countsTheSamplesTheEngineComputed) {
  struct Case {
    const char* expression;
    double xMin, xMax;
    bool noneComputed;
  };
  const Case cases[] = {
      {"sqr(x)", -10, -1, true},  // undefined over the whole range
      {"foo", -10, 10, true},     // unknown name
      {"((", -10, 10, true},      // malformed
      {"1/x", -1, 1, false},      // fails at 0 only
      {"sqr(x)", -10, 10, false},
  };
  EngineContext context;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expression);
    const TSampleCount count = SampleExpression(context, c.expression, c.xMin, c.xMax, 0.5f, [](double, double) {});
    EXPECT_GT(count.samples, 0);
    EXPECT_EQ(count.NoneComputed(), c.noneComputed);
    if (!c.noneComputed) {
      EXPECT_GT(count.computed, count.samples / 3);
    }
  }
  // Nothing sampled is no failure of the expression.
  EXPECT_FALSE(SampleExpression(context, "foo", 5, 1, 0.5f, [](double, double) {}).NoneComputed());
}

TEST(SampleExpression, xIsPassedAsItsResultTextAndStaysFirst) {
  std::vector<std::string> seen;
  SampleDoubling(0.1, 0.3, 0.1f, &seen);
  ASSERT_GE(seen.size(), 2u);
  EXPECT_EQ(seen[0], "x=0.1");
  // 0.1 + 0.1f in double arithmetic, cut to 15 digits.
  EXPECT_EQ(seen[1], "x=" + ResultText(0.1 + static_cast<double>(0.1f)));
}

TEST(SampleExpression, aThrownFailureKeepsTheSamplesMadeSoFar) {
  std::vector<Sample> samples;
  int calls = 0;
  const auto evaluate = [&](std::string_view, NameValueList&, TCalcResult& result) {
    if (++calls == 5) throw ConversionError("'1.2.3' は浮動小数点数ではありません");
    result.dwStatusCode = status::kSuccess;
    result.dwSource = 1;
  };
  EXPECT_THROW(SampleExpression(evaluate, "x", 0, 10, 1.0f, [&](double x, double y) { samples.push_back({x, y}); }),
               ConversionError);
  EXPECT_EQ(samples.size(), 4u);
}

TEST(SampleExpression, endsOnRangesThatWouldNeverFinish) {
  struct Case {
    const char* name;
    double xMin, xMax;
    float spacing;
  };
  const Case cases[] = {
      {"step lost against x", 1e20, 1e20 + 1e6, 0.02f},
      {"huge range, fine spacing", -1e12, 1e12, 0.02f},
      {"min above max", 5, 1, 0.02f},
      {"infinite end", 0, HUGE_VAL, 2.0f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    int count = 0;
    double last = c.xMin;
    SampleExpression([](std::string_view, NameValueList&, TCalcResult& r) { r.dwStatusCode = status::kSuccess; },
                     "x", c.xMin, c.xMax, c.spacing, [&](double x, double) { ++count, last = x; });
    EXPECT_LE(count, 2 * kMaxPlotRounds + 2);
  }
  // A capped range is still covered to its end.
  double last = 0;
  SampleExpression([](std::string_view, NameValueList&, TCalcResult& r) { r.dwStatusCode = status::kSuccess; }, "x",
                   -1e12, 1e12, 0.02f, [&](double x, double) { last = x; });
  EXPECT_GT(last, 0.99e12);
}

TEST(SampleExpression, staysOnTheNumbersAtTheLargestOne) {
  constexpr double Largest = std::numeric_limits<double>::max();
  struct Case {
    double xMin, xMax;
  };
  const Case cases[] = {{1.7e308, Largest}, {-Largest, -1.7e308}, {0, Largest}, {Largest, Largest}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.xMin << ":" << c.xMax);
    std::vector<Sample> samples;
    SampleExpression([](std::string_view, NameValueList&, TCalcResult& r) { r.dwStatusCode = status::kSuccess; },
                     "x", c.xMin, c.xMax, 2.0f, [&](double x, double y) { samples.push_back({x, y}); });
    ASSERT_FALSE(samples.empty());
    for (const Sample& s : samples) EXPECT_TRUE(std::isfinite(s.x)) << s.x;
    if (c.xMax == Largest) {
      EXPECT_EQ(samples.back().x, Largest) << "the curve reaches the end";
    }
  }
}

TEST(SampleExpression, throughTheEngine) {
  struct Case {
    const char* expression;
    double x;
    double y;
  };
  // Spacing 0.5 from −1 hits x = 0 exactly.
  const Case cases[] = {
      {"x^2", -1, 1}, {"x^2", 0.5, 0.25}, {"1/x", 0, 0}, {"1/x", 0.5, 2}, {"sqr(x)", -0.5, 0}, {"sqr(x)", 1, 1},
  };
  EngineContext context;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expression);
    bool found = false;
    SampleExpression(context, c.expression, -1, 1, 0.5f, [&](double x, double y) {
      if (x == c.x) {
        found = true;
        EXPECT_DOUBLE_EQ(y, c.y);
      }
    });
    EXPECT_TRUE(found);
  }
}

TEST(SampleExpression, squareRootIsFlatOnTheAxisWhereUndefined) {
  EngineContext context;
  TXYGraph graph;
  const auto series = ConfigureToolGraph(graph);
  ApplyGraphRange(graph, TGraphRange{});
  PlotExpressionInto(context, *series[0], "sqr(x)", 0.02f);
  ASSERT_GT(series[0]->DataCount(), 1000);
  for (int i = 0; i < series[0]->DataCount(); ++i) {
    const double x = series[0]->XValue(i);
    if (x < 0) {
      EXPECT_EQ(series[0]->YValue(i), 0) << x;
    } else if (x > 0.01) {
      EXPECT_NEAR(series[0]->YValue(i), std::sqrt(x), 1e-9) << x;
    }
  }
  PlotExpressionInto(context, *series[0], "", 0.02f);
  EXPECT_EQ(series[0]->DataCount(), 0);
}

// --- applying a range -------------------------------------------------------

struct AxisState {
  double max, min, step;
  TAxisScale scale;
};
AxisState StateOf(const TGraphAxis& axis) { return {axis.Max(), axis.Min(), axis.TickStep(), axis.AxisScale()}; }

TEST(ApplyGraphRange, theFailingSettingIsRestoredAndTheRestSkipped) {
  struct Case {
    const char* name;
    TGraphRange range;
    const char* message;  // nullptr: success
    AxisState x, y;
  };
  const TGraphRange reset{};
  const Case cases[] = {
      {"reset", reset, nullptr, {10, -10, 5, asNormal}, {10, -10, 5, asNormal}},
      {"max 0 with min -10", {0, -10, 5, 10, -10, 5, asNormal, asNormal}, nullptr, {0, -10, 5, asNormal},
       {10, -10, 5, asNormal}},
      {"max below min", {-20, -10, 5, 10, -10, 5, asNormal, asNormal}, axis_message::RangeInverted,
       {10, -10, 5, asNormal}, {10, -10, 5, asNormal}},
      {"step zero", {10, -10, 0, 10, -10, 5, asNormal, asNormal}, axis_message::TickStepNotPositive,
       {10, -10, 5, asNormal}, {10, -10, 5, asNormal}},
      {"step too small", {10, -10, 0.5, 10, -10, 5, asNormal, asNormal}, axis_message::TickStepTooSmall,
       {10, -10, 5, asNormal}, {10, -10, 5, asNormal}},
      // Y max is applied before the Y step fails; it keeps its new value.
      {"y step fails after y max", {10, -10, 5, 20, -10, 0, asNormal, asNormal}, axis_message::TickStepNotPositive,
       {10, -10, 5, asNormal}, {20, -10, 5, asNormal}},
      {"log y below zero", {10, -10, 5, 10, -10, 5, asNormal, asLog}, axis_message::LogMinNotPositive,
       {10, -10, 5, asNormal}, {10, -10, 5, asNormal}},
      // Ranges below the current minimum move the minimum out of the way
      // first instead of failing on the maximum.
      {"x wholly below", {-20, -30, 5, 10, -10, 5, asNormal, asNormal}, nullptr, {-20, -30, 5, asNormal},
       {10, -10, 5, asNormal}},
      {"x max at the current min", {-10, -15, 1, 10, -10, 5, asNormal, asNormal}, nullptr, {-10, -15, 1, asNormal},
       {10, -10, 5, asNormal}},
      {"y up to zero", {10, -10, 5, 0, -1, 0.2, asNormal, asNormal}, nullptr, {10, -10, 5, asNormal},
       {0, -1, 0.2, asNormal}},
      {"inverted range below", {-30, -20, 5, 10, -10, 5, asNormal, asNormal}, axis_message::RangeInverted,
       {10, -20, 5, asNormal}, {10, -10, 5, asNormal}},
      {"width beyond the largest number", {1e308, -1e308, 1e307, 10, -10, 5, asNormal, asNormal},
       axis_message::RangeTooWide, {1e308, -10, 5, asNormal}, {10, -10, 5, asNormal}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TXYGraph graph;
    ConfigureToolGraph(graph);
    ApplyGraphRange(graph, reset);
    if (c.message == nullptr) {
      EXPECT_NO_THROW(ApplyGraphRange(graph, c.range));
    } else {
      try {
        ApplyGraphRange(graph, c.range);
        ADD_FAILURE() << "no failure";
      } catch (const EXYGraphAxisError& e) {
        EXPECT_STREQ(e.what(), c.message);
      }
    }
    for (const auto& [axis, want] : {std::pair{&graph.XAxis(), c.x}, std::pair{&graph.YAxis(), c.y}}) {
      const AxisState got = StateOf(*axis);
      EXPECT_EQ(got.max, want.max);
      EXPECT_EQ(got.min, want.min);
      EXPECT_EQ(got.step, want.step);
      EXPECT_EQ(got.scale, want.scale);
    }
  }
}

TEST(ApplyGraphRange, reopeningAfterALogAxisKeepsTheLogScaleAndRestoresTheMinimum) {
  TXYGraph graph;
  ConfigureToolGraph(graph);
  ApplyGraphRange(graph, TGraphRange{});
  ApplyGraphRange(graph, TGraphRange{100, 1, 10, 10, -10, 5, asLog, asNormal});
  ASSERT_EQ(graph.XAxis().AxisScale(), asLog);
  try {
    ApplyGraphRange(graph, TGraphRange{});
    ADD_FAILURE() << "no failure";
  } catch (const EXYGraphAxisError& e) {
    EXPECT_STREQ(e.what(), axis_message::LogRangeNotPositive);
  }
  EXPECT_EQ(graph.XAxis().Max(), 10);
  EXPECT_EQ(graph.XAxis().Min(), 1);
  EXPECT_EQ(graph.XAxis().AxisScale(), asLog);
}

TEST(ApplyGraphRange, theOpeningRangeReturnsFromARangeWhollyAboveIt) {
  TXYGraph graph;
  ConfigureToolGraph(graph);
  ApplyGraphRange(graph, TGraphRange{});
  ApplyGraphRange(graph, TGraphRange{30, 20, 5, 30, 20, 5, asNormal, asNormal});
  EXPECT_NO_THROW(ApplyGraphRange(graph, TGraphRange{}));
  EXPECT_EQ(graph.XAxis().Min(), -10);
  EXPECT_EQ(graph.YAxis().Max(), 10);
}

struct AxisRanges {
  double xMin, xMax, yMin, yMax;
};

// Draws the tool's graph over `c` with steps chosen by the axes (as
// zeltacalc-plot without a step) or a quarter of each width (as typed into
// the window), and checks the grid, ticks and labels that come out.
void ExpectLabelsInside(const AxisRanges& c, bool autoStep) {
  TXYGraph graph;
  graph.SetClientSize(QSize(700, 500));
  ConfigureToolGraph(graph);
  ApplyGraphRange(graph, TGraphRange{});
  // A fifth of the width as zeltacalc-plot's stand-in for an automatic step.
  const double divisor = autoStep ? 5 : 4;
  const auto step = [divisor](double min, double max) { return std::max(max - min, kMinAxisRange) / divisor; };
  ASSERT_NO_THROW(ApplyGraphRange(
      graph, TGraphRange{c.xMax, c.xMin, step(c.xMin, c.xMax), c.yMax, c.yMin, step(c.yMin, c.yMax), asNormal, asNormal}));
  graph.XAxis().SetAutoStep(autoStep);
  graph.YAxis().SetAutoStep(autoStep);
  QImage image(graph.ClientSize(), QImage::Format_RGB32);
  QPainter painter(&image);
  ASSERT_NO_THROW(graph.DrawGraph(painter));
  painter.end();

  EXPECT_GT(graph.PlotWidth(), graph.Width() / 2);
  EXPECT_GT(graph.PlotHeight(), graph.Height() / 2);
  const TGraphAxis& x = graph.XAxis();
  const TGraphAxis& y = graph.YAxis();
  const QFontMetrics xMetrics(x.LabelFont()), yMetrics(y.LabelFont());
  // A grid needs two lines at least, each on the plot.
  ASSERT_GE(x.TickDataList().Count(), 2);
  ASSERT_GE(y.TickDataList().Count(), 2);
  for (int i = 0; i < x.TickDataList().Count(); ++i) {
    const int p = x.GetValuePos(x.TickDataList()[i]);
    EXPECT_GE(p, x.MinPos());
    EXPECT_LE(p, x.MaxPos());
  }
  for (int i = 0; i < y.TickDataList().Count(); ++i) {
    const int p = y.GetValuePos(y.TickDataList()[i]);
    EXPECT_LE(p, y.MinPos());
    EXPECT_GE(p, y.MaxPos());
  }
  for (int i = 0; i < x.LabelValueList().Count(); ++i) {
    const double v = x.LabelValueList()[i];
    const int half = xMetrics.horizontalAdvance(x.GetValueText(v)) / 2;
    EXPECT_GE(x.GetValuePos(v) - half, 0) << x.GetValueText(v).toStdString();
    EXPECT_LE(x.GetValuePos(v) + half, graph.Width()) << x.GetValueText(v).toStdString();
  }
  EXPECT_LE(x.AxisPos() + x.LabelSpace() + x.GetMaxLabelsHeight(), graph.Height());
  EXPECT_GE(y.AxisPos() - y.LabelSpace() - y.GetMaxLabelsWidth(), 0);
  for (int i = 0; i < y.LabelValueList().Count(); ++i) {
    const int p = y.GetValuePos(y.LabelValueList()[i]);
    EXPECT_GE(p - yMetrics.height() / 2, 0);
    EXPECT_LE(p + yMetrics.height() / 2, graph.Height());
  }
}

// Every finite range the axes accept gets a layout with a grid, ticks and
// labels inside the picture and room left for the plot.
TEST(ToolGraph, labelsStayInsideForEveryAcceptedRange) {
  constexpr double Largest = std::numeric_limits<double>::max();
  const AxisRanges cases[] = {
      {0, 1e307, -10, 10},          {-1e307, 0, -10, 10},      {-1e308, 1e307, -10, 10},
      {1e307, 1.7e308, -10, 10},    {-10, 10, 0, 1e307},       {-10, 10, -1e308, -1e307},
      {-10, 10, 1e300, 1e301},      {1, 1.000000001, -10, 10}, {-7, -2, -1, 0},
      {-1e-300, 1e-300, -10, 10},   {1e-300, 2e-300, 5, 6},
      // Near the largest number, where a step or a tick computed from the
      // width overflows.
      {-1.6e308, 0, -10, 10},       {-1.7e308, -1e308, -10, 10}, {-10, 10, -1.7e308, -1e308},
      {1.7e308, Largest, 0, 2},     {-Largest, 0, -10, 10},      {0, Largest, -Largest, 0},
      {-8e307, 8e307, -10, 10},     {-10, 10, 9e307, 1.7e308},
  };
  for (const AxisRanges& c : cases) {
    for (const bool autoStep : {true, false}) {
      SCOPED_TRACE(testing::Message() << c.xMin << ":" << c.xMax << " " << c.yMin << ":" << c.yMax
                                      << (autoStep ? " automatic steps" : " quarter steps"));
      ExpectLabelsInside(c, autoStep);
    }
  }
}

TEST(CurveLegend, takesTheFirstCornerTheLabelsLeaveFree) {
  struct Case {
    const char* what;
    TGraphRange range;
    bool right, top;
  };
  const Case cases[] = {
      {"axes in the middle", {10, -10, 5, 10, -10, 5, asNormal, asNormal}, true, true},
      {"y labels along the right edge", {0, -10, 5, 10, -10, 5, asNormal, asNormal}, false, true},
      {"x labels along the top", {10, -10, 5, 0, -10, 5, asNormal, asNormal}, true, false},
      {"both", {0, -10, 5, 0, -10, 5, asNormal, asNormal}, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TXYGraph graph;
    graph.SetClientSize(QSize(700, 500));
    ConfigureToolGraph(graph);
    ApplyGraphRange(graph, c.range);
    QImage image(graph.ClientSize(), QImage::Format_RGB32);
    QPainter painter(&image);
    graph.DrawGraph(painter);
    const QFontMetrics metrics(graph.YAxis().LabelFont());
    const QRect box = CurveLegendRect(graph, metrics, {{QStringLiteral("sin(x*20)*5"), Qt::blue}, {QStringLiteral("x"), Qt::red}});
    const QRect plot = graph.PlotArea();
    EXPECT_TRUE(plot.contains(box));
    EXPECT_EQ(box.center().x() > plot.center().x(), c.right);
    EXPECT_EQ(box.center().y() < plot.center().y(), c.top);
    EXPECT_GE(box.height(), 2 * metrics.height());
  }
}

TEST(CurveLegend, longTextsAreCutToThePlotWidth) {
  const QString longSum = QStringLiteral("x+").repeated(150);
  struct Case {
    const char* what;
    QSize picture;
    QString text;
    bool elided;
  };
  const Case cases[] = {
      {"short", QSize(700, 500), QStringLiteral("sin(x*20)*5"), false},
      {"300 characters", QSize(700, 500), longSum, true},
      {"300 characters, small picture", QSize(200, 150), longSum, true},
      {"300 characters, picture wide enough", QSize(4000, 500), longSum, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TXYGraph graph;
    graph.SetClientSize(c.picture);
    ConfigureToolGraph(graph);
    ApplyGraphRange(graph, TGraphRange{});
    QImage image(graph.ClientSize(), QImage::Format_RGB32);
    QPainter painter(&image);
    graph.DrawGraph(painter);
    const QFontMetrics metrics(graph.YAxis().LabelFont());
    const std::vector<TLegendEntry> entries = {{c.text, Qt::blue}, {QStringLiteral("x"), Qt::red}};
    const std::vector<QString> lines = CurveLegendLines(graph, metrics, entries);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0] != c.text, c.elided) << lines[0].toStdString();
    EXPECT_EQ(lines[0].endsWith(QChar(0x2026)), c.elided);
    EXPECT_LE(metrics.horizontalAdvance(lines[0]), CurveLegendTextWidth(graph));
    EXPECT_EQ(lines[1], QStringLiteral("x"));
    EXPECT_EQ(entries[0].text, c.text) << "the entry keeps its whole text";
    EXPECT_TRUE(graph.PlotArea().contains(CurveLegendRect(graph, metrics, entries)));
  }
}

TEST(ToolGraph, curvesGetTheRowColoursAndJoinAcrossJumps) {
  TXYGraph graph;
  const auto series = ConfigureToolGraph(graph);
  ASSERT_EQ(graph.SeriesCount(), 3);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(graph.Series(i), series[static_cast<std::size_t>(i)]);
    EXPECT_EQ(series[static_cast<std::size_t>(i)]->LinePen().color().rgb(), CurveColors[static_cast<std::size_t>(i)]);
    EXPECT_FALSE(series[static_cast<std::size_t>(i)]->DisContinue());
  }
  EXPECT_EQ(ScaleFromComboIndex(0), asNormal);
  EXPECT_EQ(ScaleFromComboIndex(1), asLog);
  EXPECT_EQ(ScaleFromComboIndex(2), asPercent);
  EXPECT_EQ(ScaleFromComboIndex(3), asPi);
}

}  // namespace
}  // namespace zc
