#include "series_clipping.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace zc {
namespace {

constexpr TClipBox Box04x010{0, 4, 0, 10};

TEST(OutCode, NamesTheSidesOutside) {
  struct Case {
    double x, y;
    int code;
  };
  const Case cases[] = {{2, 5, 0},  {-1, 5, 1}, {5, 5, 2},   {2, -1, 4}, {2, 11, 8},
                        {-1, -1, 5}, {5, 11, 10}, {0, 10, 0}, {4, 0, 0}};
  for (const Case& c : cases) EXPECT_EQ(OutCode(Box04x010, c.x, c.y), c.code) << c.x << "," << c.y;
}

TEST(ClipSegment, ResultCodesWithAndWithoutBreakAtEntry) {
  struct Case {
    const char* what;
    QPointF start, end;
    int result, resultDisContinue;
    QPointF clippedStart, clippedEnd;
  };
  const Case cases[] = {
      {"inside", {1, 1}, {3, 9}, 1, 1, {1, 1}, {3, 9}},
      {"leaves right", {0, 0}, {5, 5}, 0, 0, {0, 0}, {4, 4}},
      {"leaves top", {1, 5}, {2, 50}, 0, 0, {1, 5}, {1 + 5.0 / 45, 10}},
      {"enters from the top", {2, 50}, {3, 5}, 1, -1, {3 - 5.0 / 45, 10}, {3, 5}},
      {"crosses top to bottom", {1, 50}, {2, -50}, 0, -1, {1.4, 10}, {1.5, 0}},
      {"outside on one side", {5, 1}, {6, 9}, -1, -1, {5, 1}, {6, 9}},
      {"outside, passing a corner", {-1, 9}, {1, 12}, -1, -1, {0, 10.5}, {1, 12}},
      // Ends whose distance, or a product of distances, is beyond the
      // largest number: the cut points still lie on the segment.
      {"ends at both ends of the numbers", {-1.7e308, 0}, {1.7e308, 10}, 0, -1, {0, 5}, {4, 5}},
      {"steep rise to nearly the largest number", {1, 5}, {3, 1.5e308}, 0, 0, {1, 5}, {1, 10}},
      // A sample that overflowed runs off towards the largest number.
      {"rise to infinity", {1, 5}, {2, HUGE_VAL}, 0, 0, {1, 5}, {1, 10}},
      {"fall from minus infinity", {2, -HUGE_VAL}, {3, 5}, 1, -1, {3, 0}, {3, 5}},
      {"no number", {1, 1}, {2, NAN}, -1, -1, {}, {}},
  };
  for (const Case& c : cases) {
    for (bool disContinue : {false, true}) {
      QPointF start = c.start;
      QPointF end = c.end;
      const int result = ClipSegment(Box04x010, disContinue, start, end);
      EXPECT_EQ(result, disContinue ? c.resultDisContinue : c.result)
          << c.what << (disContinue ? " (break at entry)" : "");
      if (result < 0) continue;
      EXPECT_NEAR(start.x(), c.clippedStart.x(), 1e-12) << c.what;
      EXPECT_NEAR(start.y(), c.clippedStart.y(), 1e-12) << c.what;
      EXPECT_NEAR(end.x(), c.clippedEnd.x(), 1e-12) << c.what;
      EXPECT_NEAR(end.y(), c.clippedEnd.y(), 1e-12) << c.what;
    }
  }
}

// Pixels in hundredths of a data unit: exact enough to read the cut points.
QPoint Hundredths(double x, double y) {
  return QPoint(static_cast<int>(std::lround(x * 100)), static_cast<int>(std::lround(y * 100)));
}

struct Pieces {
  std::vector<std::vector<QPoint>> pieces;
};

Pieces Build(const TClipBox& box, bool disContinue, const std::vector<QPointF>& data) {
  TGraphValueList xs;
  TGraphValueList ys;
  for (const QPointF& p : data) {
    xs.Add(p.x());
    ys.Add(p.y());
  }
  TGraphPointList points;
  TGraphIntegerList counts;
  BuildPolylines(box, disContinue, xs, ys, 0, static_cast<int>(data.size()), Hundredths, points,
                 counts);
  Pieces result;
  int next = 0;
  for (int i = 0; i < counts.Count(); ++i) {
    std::vector<QPoint> piece;
    for (int k = 0; k < counts.GetValue(i); ++k) piece.push_back(points.GetPoint(next++));
    result.pieces.push_back(piece);
  }
  EXPECT_EQ(next, points.Count()) << "every vertex belongs to a piece";
  return result;
}

TEST(BuildPolylines, BreaksPiecesWhereTheCurveLeavesTheBox) {
  struct Case {
    const char* what;
    TClipBox box;
    bool disContinue;
    std::vector<QPointF> data;
    std::vector<std::vector<QPoint>> pieces;
  };
  const Case cases[] = {
      {"cut at the right border", Box04x010, false, {{0, 0}, {5, 5}, {10, 0}},
       {{{0, 0}, {400, 400}}}},
      {"out through the top and back", Box04x010, false, {{1, 5}, {2, 50}, {3, 5}},
       {{{100, 500}, {111, 1000}}, {{289, 1000}, {300, 500}}}},
      {"the same, re-entry dropped", Box04x010, true, {{1, 5}, {2, 50}, {3, 5}},
       {{{100, 500}, {111, 1000}}}},
      {"pole crossing the whole plot", {0, 4, -10, 10}, false, {{1, 50}, {2, -50}},
       {{{140, 1000}, {160, -1000}}}},
      {"pole crossing dropped", {0, 4, -10, 10}, true, {{1, 50}, {2, -50}}, {}},
      {"inside all along", Box04x010, false, {{0, 0}, {1, 1}, {2, 4}, {3, 9}},
       {{{0, 0}, {100, 100}, {200, 400}, {300, 900}}}},
      {"a single point", Box04x010, false, {{1, 1}}, {}},
  };
  for (const Case& c : cases) EXPECT_EQ(Build(c.box, c.disContinue, c.data).pieces, c.pieces) << c.what;
}

TEST(BuildPolygon, PullsOutsideVerticesOntoTheBorder) {
  TGraphValueList xs;
  TGraphValueList ys;
  for (QPointF p : {QPointF(1, 1), QPointF(6, 1), QPointF(1, 5)}) {
    xs.Add(p.x());
    ys.Add(p.y());
  }
  TGraphPointList points;
  BuildPolygon(Box04x010, false, xs, ys, 0, 3, Hundredths, points);
  ASSERT_EQ(points.Count(), 3);
  EXPECT_EQ(points.GetPoint(0), QPoint(100, 100));
  // (6, 1) lies outside: its outgoing edge towards (1, 5) meets x = 4 at y = 2.6.
  EXPECT_EQ(points.GetPoint(1), QPoint(400, 260));
  EXPECT_EQ(points.GetPoint(2), QPoint(100, 500));

  TGraphPointList none;
  BuildPolygon(Box04x010, false, xs, ys, 0, 1, Hundredths, none);
  EXPECT_EQ(none.Count(), 0);
}

}  // namespace
}  // namespace zc
