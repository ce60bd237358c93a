// Zoom and pan arithmetic of the graph tool, without a window: spans in the
// scale's own space, pixels of a layout, tick steps the axes accept, and the
// cursor read-out.
#include "view_navigation.h"

#include "calc_expression.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

namespace zc {
namespace {

constexpr double Pi = std::numbers::pi;

TEST(ZoomSpan, theAnchorKeepsItsPlaceInTheScalesOwnSpace) {
  struct Case {
    const char* what;
    TAxisSpan span;
    double anchor, factor;
    double min, max;
  };
  const Case cases[] = {
      {"in around the centre", {-10, 10, asNormal}, 0, 0.5, -5, 5},
      {"in around a point off centre", {-10, 10, asNormal}, 6, 0.5, -2, 8},
      {"out around an end", {0, 10, asNormal}, 0, 2, 0, 20},
      {"π axis as linear", {0, 2 * Pi, asPi}, Pi, 0.5, Pi / 2, 3 * Pi / 2},
      {"percent axis as linear", {0, 1, asPercent}, 0.25, 0.8, 0.05, 0.85},
      {"log axis by decades", {1, 10000, asLog}, 100, 0.5, 10, 1000},
      {"log axis off centre", {1, 100, asLog}, 1, 0.5, 1, 10},
      {"anchor outside the span", {0, 10, asNormal}, 20, 0.5, 10, 15},
      {"factor one", {-3, 7, asNormal}, 1, 1, -3, 7},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const TAxisSpan zoomed = ZoomSpan(c.span, c.anchor, c.factor);
    EXPECT_NEAR(zoomed.min, c.min, 1e-12 * std::max(1.0, std::fabs(c.min)));
    EXPECT_NEAR(zoomed.max, c.max, 1e-12 * std::max(1.0, std::fabs(c.max)));
    EXPECT_EQ(zoomed.scale, c.span.scale);
    EXPECT_NEAR(SpanFraction(zoomed, c.anchor), SpanFraction(c.span, c.anchor), 1e-12);
  }
}

TEST(ZoomSpan, zoomingInStopsBeforeTheNumbersRunOut) {
  struct Case {
    const char* what;
    TAxisSpan span;
  };
  const Case cases[] = {
      {"narrower than the axis can show", {0, 1.1e-7, asNormal}},
      {"far from zero", {1e6, 1e6 + 1.1e-6, asNormal}},
      {"log axis far out", {1e12, 1e12 * (1 + 1.1e-12), asLog}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const TAxisSpan zoomed = ZoomSpan(c.span, (c.span.min + c.span.max) / 2, 0.8);
    EXPECT_EQ(zoomed.min, c.span.min);
    EXPECT_EQ(zoomed.max, c.span.max);
    // Zooming out still works.
    EXPECT_GT(ZoomSpan(c.span, c.span.min, 1.25).max, c.span.max);
  }
}

TEST(PanSpan, movesByAShareOfTheWidth) {
  const TAxisSpan linear = PanSpan({-10, 10, asNormal}, 0.25);
  EXPECT_DOUBLE_EQ(linear.min, -5);
  EXPECT_DOUBLE_EQ(linear.max, 15);
  const TAxisSpan log = PanSpan({1, 100, asLog}, -0.5);
  EXPECT_NEAR(log.min, 0.1, 1e-15);
  EXPECT_NEAR(log.max, 10, 1e-13);
  // Any distance, also beyond the whole width.
  const TAxisSpan far = PanSpan({-10, 10, asNormal}, -3);
  EXPECT_DOUBLE_EQ(far.min, -70);
  EXPECT_DOUBLE_EQ(far.max, -50);
}

TEST(AxisPixels, pixelsAndFractionsAgreeInEveryOrientation) {
  struct Case {
    TAxisPixels pixels;
    double pixelAtMin, pixelAtMax;
  };
  const Case cases[] = {
      {{40, 400, false, false}, 40, 440},
      {{450, 400, true, false}, 450, 50},  // y grows downward
      {{40, 400, false, true}, 440, 40},
      {{450, 400, true, true}, 50, 450},
  };
  for (const Case& c : cases) {
    EXPECT_DOUBLE_EQ(FractionAtPixel(c.pixels, c.pixelAtMin), 0);
    EXPECT_DOUBLE_EQ(FractionAtPixel(c.pixels, c.pixelAtMax), 1);
    for (double pixel : {-30.0, 100.5, 333.0}) EXPECT_NEAR(PixelAtFraction(c.pixels, FractionAtPixel(c.pixels, pixel)), pixel, 1e-9);
  }
}

TEST(RoundedSpan, endsGetShortTextsWithinATenthOfAPixel) {
  struct Case {
    TAxisSpan span;
    double pixels;
    const char* min;
    const char* max;
  };
  const Case cases[] = {
      {{-7.75321987, 8.24678012, asNormal}, 400, "-7.753", "8.247"},
      {{0.123456789, 0.1239, asNormal}, 400, "0.1234568", "0.1239"},
      {{-1234567.89, 2345678.9, asNormal}, 500, "-1234600", "2345700"},
      // A pixel of a log axis covers more of the value at the top.
      {{1.23456789, 987.654321, asLog}, 400, "1.235", "988"},
  };
  for (const Case& c : cases) {
    const TAxisSpan rounded = RoundedSpan(c.span, c.pixels);
    EXPECT_EQ(ResultText(rounded.min), c.min);
    EXPECT_EQ(ResultText(rounded.max), c.max);
    EXPECT_LE(std::fabs(SpanFraction(c.span, rounded.min)) * c.pixels, 0.1 + 1e-9);
    EXPECT_LE(std::fabs(SpanFraction(c.span, rounded.max) - 1) * c.pixels, 0.1 + 1e-9);
  }
}

// The checks the axis makes on a manual tick step.
bool AxisTakesStep(double width, double step) { return step > 0 && step <= width && width / step <= 30; }

TEST(NavigationTickStep, everyStepPassesTheAxisChecks) {
  for (TAxisScale scale : {asNormal, asPi, asPercent, asLog}) {
    for (int intervals : {2, 4, 10, 29}) {
      for (double width = 1e-7; width < 1e12; width *= 1.37) {
        const TAxisSpan span{scale == asLog ? 1.0 : -width / 3, scale == asLog ? 1.0 + width : 2 * width / 3, scale};
        const double step = NavigationTickStep(span, 5, intervals);
        ASSERT_TRUE(AxisTakesStep(span.max - span.min, step)) << scale << " " << intervals << " " << width << " " << step;
      }
    }
  }
}

TEST(NavigationTickStep, keepsTheStepWhileTheDensityIsNearThePanels) {
  struct Case {
    TAxisSpan span;
    double current;
    int intervals;
    double step;
  };
  const Case cases[] = {
      {{-8, 8, asNormal}, 5, 4, 5},        // 3.2 intervals: kept
      {{-4, 4, asNormal}, 5, 4, 2},        // 1.6: a nice step for four
      {{-40, 40, asNormal}, 5, 4, 20},     // 16: likewise
      {{0, 4 * Pi, asPi}, 1, 4, Pi},       // π multiples on a π axis
      {{-100, 100, asNormal}, 50, 4, 50},  // pans keep the step
  };
  for (const Case& c : cases) EXPECT_NEAR(NavigationTickStep(c.span, c.current, c.intervals), c.step, 1e-12);
  EXPECT_EQ(NavigationIntervals(-10, 10, 5), 4);
  EXPECT_EQ(NavigationIntervals(0, 100, 1), 29);
  EXPECT_EQ(NavigationIntervals(0, 1, 1), 2);
  EXPECT_EQ(NavigationIntervals(0, 1, 0), 4);
}

TEST(WheelZoomFactor, oneNotchIsAFifth) {
  EXPECT_DOUBLE_EQ(WheelZoomFactor(120), 0.8);
  EXPECT_DOUBLE_EQ(WheelZoomFactor(-120), 1.25);
  EXPECT_DOUBLE_EQ(WheelZoomFactor(240), 0.64);
  EXPECT_DOUBLE_EQ(WheelZoomFactor(0), 1);
  // Fine-grained wheels and touchpads turn in smaller steps.
  EXPECT_NEAR(WheelZoomFactor(60), std::sqrt(0.8), 1e-15);
}

TEST(AxisReadout, showsTheValueAsTheLabelsWriteIt) {
  struct Case {
    TAxisSpan span;
    double pixel;
    const char* text;
  };
  const TAxisPixels pixels{0, 400, false, false};
  const Case cases[] = {
      {{-10, 10, asNormal}, 200, "0"},
      {{-10, 10, asNormal}, 131, "-3.45"},  // 0.05 a pixel: steps of 0.05
      {{-10, 10, asNormal}, 199, "-0.05"},
      {{-10, 10, asNormal}, 200.4, "0"},   // within half a pixel of 0
      {{0, 1000, asNormal}, 131, "328"},   // 327.5, at 2.5 a pixel: steps of 2
      {{0, 40, asNormal}, 131, "13.1"},    // 13.1, at 0.1 a pixel: steps of 0.05
      {{0, 2 * Pi, asPi}, 100, "0.5Pi"},
      {{0, 2 * Pi, asPi}, 200, "Pi"},
      {{-2 * Pi, 0, asPi}, 200, "-Pi"},
      {{0, 1, asPercent}, 100, "25%"},
      {{1, 10000, asLog}, 100, "10"},
      {{1, 10000, asLog}, 150, "31.5"},   // 31.62, at 0.73 a pixel there
  };
  for (const Case& c : cases) {
    EXPECT_EQ(AxisReadoutText(c.span, pixels, c.pixel, QStringLiteral("Pi")).toStdString(), c.text) << c.pixel;
  }
}

}  // namespace
}  // namespace zc
