#include "graph_lists.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

namespace zc {
namespace {

std::string Bytes(std::initializer_list<unsigned char> bytes) {
  return std::string(bytes.begin(), bytes.end());
}

std::string DoubleBytes(double value) {
  std::string bytes(sizeof value, '\0');
  std::memcpy(bytes.data(), &value, sizeof value);
  return bytes;
}

template <typename List>
std::string Saved(const List& list) {
  std::ostringstream stream;
  list.SaveToStream(stream);
  return stream.str();
}

struct GrowthCase {
  int adds;
  int capacity;
};

TEST(GraphValueList, GrowsBySixteenThenByAQuarter) {
  const GrowthCase cases[] = {{0, 0},   {1, 16},  {16, 16}, {17, 32},  {48, 48},  {49, 64},
                              {64, 64}, {65, 80}, {81, 100}, {101, 125}, {126, 156}};
  for (const GrowthCase& c : cases) {
    TGraphValueList list;
    for (int i = 0; i < c.adds; ++i) list.Add(i);
    EXPECT_EQ(list.Capacity(), c.capacity) << c.adds << " values";
    EXPECT_EQ(list.Count(), c.adds);
  }
}

TEST(GraphValueList, ClearReleasesTheBlockAndGrowthStartsAgain) {
  TGraphValueList list;
  for (int i = 0; i < 40; ++i) list.Add(i);
  list.Clear();
  EXPECT_EQ(list.Capacity(), 0);
  EXPECT_EQ(list.List(), nullptr);
  list.Add(1);
  EXPECT_EQ(list.Capacity(), 16);
}

TEST(GraphValueList, MinMaxRecordOnlyWidens) {
  TGraphValueList list;
  list.Add(5);
  list.Add(1);
  list.Add(9);
  EXPECT_EQ(list.MinValue(), 1);
  EXPECT_EQ(list.MinValueIndex(), 1);
  EXPECT_EQ(list.MaxValue(), 9);
  EXPECT_EQ(list.MaxValueIndex(), 2);

  list.PutValue(2, 0);
  EXPECT_EQ(list.MinValue(), 0);
  EXPECT_EQ(list.MinValueIndex(), 2);
  EXPECT_EQ(list.MaxValue(), 9) << "overwriting the maximum does not shrink the record";

  list.ReCalcMinMax();
  EXPECT_EQ(list.MaxValue(), 5);
  EXPECT_EQ(list.MaxValueIndex(), 0);
}

TEST(GraphValueList, DeletingAnExtremeRecomputesBothEnds) {
  TGraphValueList list;
  for (double v : {4.0, 9.0, 2.0, 7.0}) list.Add(v);
  list.Delete(1);
  EXPECT_EQ(list.MaxValue(), 7);
  EXPECT_EQ(list.MaxValueIndex(), 2);
  EXPECT_EQ(list.MinValue(), 2);
  EXPECT_EQ(list.MinValueIndex(), 1);
}

TEST(GraphValueList, DeletingAMiddleValueKeepsTheRecordOnItsElements) {
  TGraphValueList list;
  for (double v : {4.0, 5.0, 2.0, 9.0}) list.Add(v);
  list.Delete(1);
  EXPECT_EQ(list.MinValue(), 2);
  EXPECT_EQ(list.MaxValue(), 9);
  // The indices follow their elements down the list.
  EXPECT_EQ(list.GetValue(list.MinValueIndex()), 2);
  EXPECT_EQ(list.GetValue(list.MaxValueIndex()), 9);
}

TEST(GraphValueList, SortIsAscendingAndStable) {
  TGraphValueList list;
  for (double v : {3.0, 1.0, 2.0, -0.0, 0.0, 2.0}) list.Add(v);
  list.Sort();
  const std::vector<double> sorted(list.List(), list.List() + list.Count());
  EXPECT_EQ(sorted, (std::vector<double>{-0.0, 0.0, 1, 2, 2, 3}));
  // -0 and +0 compare equal: their order shows the sort is stable.
  EXPECT_TRUE(std::signbit(sorted[0]));
  EXPECT_FALSE(std::signbit(sorted[1]));

  TGraphValueList reversed;
  for (double v : {0.0, -0.0}) reversed.Add(v);
  reversed.Sort();
  EXPECT_FALSE(std::signbit(reversed.GetValue(0)));

  TGraphValueList single;
  single.Add(7);
  single.Sort();
  EXPECT_EQ(single.GetValue(0), 7);
}

TEST(GraphValueList, SortsLongDescendingRuns) {
  TGraphValueList list;
  for (int i = 200; i > 0; --i) list.Add(i % 17);
  list.Sort();
  for (int i = 1; i < list.Count(); ++i) ASSERT_LE(list.GetValue(i - 1), list.GetValue(i));
}

TEST(GraphLists, StreamBytesAreCountThenElements) {
  TGraphValueList empty;
  EXPECT_EQ(Saved(empty), Bytes({0, 0, 0, 0}));

  TGraphValueList values;
  values.Add(1.0);
  values.Add(2.0);
  EXPECT_EQ(Saved(values), Bytes({2, 0, 0, 0}) + DoubleBytes(1.0) + DoubleBytes(2.0));

  TGraphIntegerList integers;
  integers.Add(1);
  integers.Add(-2);
  EXPECT_EQ(Saved(integers), Bytes({2, 0, 0, 0, 1, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF}));

  TGraphPointList points;
  points.AddXY(3, -1);
  EXPECT_EQ(Saved(points), Bytes({1, 0, 0, 0, 3, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF}));
}

TEST(GraphLists, LoadingRestoresElementsAndTheRecord) {
  TGraphValueList source;
  for (double v : {6.0, 6.0, 1.0, 6.0}) source.Add(v);
  std::stringstream stream(Saved(source));
  TGraphValueList loaded;
  loaded.Add(100);
  loaded.LoadFromStream(stream);
  ASSERT_EQ(loaded.Count(), 4);
  EXPECT_EQ(loaded.Capacity(), 4);
  EXPECT_EQ(loaded.GetValue(3), 6);
  EXPECT_EQ(loaded.MaxValue(), 6);
  EXPECT_EQ(loaded.MaxValueIndex(), 0) << "ties keep the earlier index";
  EXPECT_EQ(loaded.MinValueIndex(), 2);

  TGraphValueList same;
  same.Add(5);
  same.Add(5);
  std::stringstream sameStream(Saved(same));
  TGraphValueList sameLoaded;
  sameLoaded.LoadFromStream(sameStream);
  EXPECT_EQ(sameLoaded.MinValueIndex(), 0);
  EXPECT_EQ(sameLoaded.MaxValueIndex(), 0);
}

TEST(GraphLists, BadStreamsNeverLeaveHalfReadElements) {
  struct Case {
    const char* what;
    std::string bytes;
    const char* message;
    int countAfter;
  };
  const Case cases[] = {
      {"negative count", Bytes({0xFF, 0xFF, 0xFF, 0xFF}), "リストの容量が超えました (-1)", 0},
      {"count past the limit", Bytes({0, 0, 0, 0x10}), "リストの容量が超えました (268435456)", 0},
      {"elements missing", Bytes({3, 0, 0, 0}) + DoubleBytes(1.0), "ストリームの読み込みエラー", 0},
      {"count missing", Bytes({3, 0}), "ストリームの読み込みエラー", 1},
  };
  for (const Case& c : cases) {
    TGraphValueList list;
    list.Add(42);
    std::stringstream stream(c.bytes);
    try {
      list.LoadFromStream(stream);
      ADD_FAILURE() << c.what << " was accepted";
    } catch (const EListError& error) {
      EXPECT_STREQ(error.what(), c.message) << c.what;
    }
    EXPECT_EQ(list.Count(), c.countAfter) << c.what;
  }
}

TEST(GraphLists, IndexAndCapacityFaultsNameTheValue) {
  TGraphValueList list;
  list.Add(1);
  list.Add(2);
  const auto message = [](auto&& action) -> std::string {
    try {
      action();
    } catch (const EListError& error) {
      return error.what();
    }
    return "no error";
  };
  EXPECT_EQ(message([&] { list.GetValue(-1); }), "リストのインデックスが範囲を超えています (-1)");
  EXPECT_EQ(message([&] { list.GetValue(2); }), "リストのインデックスが範囲を超えています (2)");
  EXPECT_EQ(message([&] { list.PutValue(5, 0); }), "リストのインデックスが範囲を超えています (5)");
  EXPECT_EQ(message([&] { list.Delete(2); }), "リストのインデックスが範囲を超えています (2)");
  EXPECT_EQ(message([&] { list.SetCapacity(1); }), "リストの容量が超えました (1)");
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(list.GetValue(1), 2);

  TGraphPointList points;
  EXPECT_EQ(message([&] { points.GetPoint(0); }), "リストのインデックスが範囲を超えています (0)");
}

TEST(GraphIntegerList, DeleteMovesTheFollowingElementsDown) {
  TGraphIntegerList list;
  for (int v : {10, 20, 30}) list.Add(v);
  list.Delete(0);
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list.GetValue(0), 20);
  EXPECT_EQ(list.GetValue(1), 30);
}

TEST(GraphLists, AssignCopiesWithExactCapacity) {
  TGraphPointList points;
  for (int i = 0; i < 20; ++i) points.AddXY(i, -i);
  TGraphPointList copy;
  copy.Assign(points);
  EXPECT_EQ(copy.Capacity(), 20);
  EXPECT_EQ(copy.GetPoint(19), QPoint(19, -19));

  TGraphValueList values;
  values.Add(3);
  values.Add(-4);
  TGraphValueList valueCopy;
  valueCopy.Add(99);
  valueCopy.Assign(values);
  EXPECT_EQ(valueCopy.Count(), 2);
  EXPECT_EQ(valueCopy.MinValue(), -4);
  EXPECT_EQ(valueCopy.MaxValue(), 3);
}

TEST(GraphLists, AssignReplacesTheContentsAndKeepsThemWhenCopyingItself) {
  TGraphIntegerList integers;
  for (int v : {7, 8, 9}) integers.Add(v);
  TGraphIntegerList integerCopy;
  for (int v : {1, 2, 3, 4, 5}) integerCopy.Add(v);
  integerCopy.Assign(integers);
  ASSERT_EQ(integerCopy.Count(), 3);
  EXPECT_EQ(integerCopy[0], 7);
  EXPECT_EQ(integerCopy[2], 9);
  integerCopy.Assign(integerCopy);
  ASSERT_EQ(integerCopy.Count(), 3);
  EXPECT_EQ(integerCopy[1], 8);

  TGraphPointList points;
  points.AddXY(1, 2);
  points.Assign(points);
  ASSERT_EQ(points.Count(), 1);
  EXPECT_EQ(points[0], QPoint(1, 2));
}

}  // namespace
}  // namespace zc
