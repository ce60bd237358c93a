#include <chrono>
#include <cmath>

#include <gtest/gtest.h>

#include "function_test_support.h"
#include "statistical_functions.h"

namespace zc::testing {
namespace {

constexpr long double kInf = HUGE_VALL;

TEST(StatisticalFunctions, PermutationsFactorialsAndCombinations) {
  EngineContext context;
  ExpectOutcomes(context, {
      {"nPr", {5, 2}, kDeg, "20"},
      {"nPr", {5, 0}, kDeg, "1"},
      {"nPr", {5, 5}, kDeg, "120"},
      {"nPr", {5, 6}, kDeg, "0"},
      {"nPr", {5.9L, 2.9L}, kDeg, "20"},
      {"nPr", {100, 2}, kDeg, "9900"},
      {"nPr", {5, 7}, kDeg, "0"},
      {"nPr", {3, 5}, kDeg, "0"},
      {"nPr", {0, 1}, kDeg, "0"},
      {"nPr", {0, 0}, kDeg, "1"},
      {"nPr", {4294967296.0L, 4294967297.0L}, kDeg, "0"},
      {"nPr", {5, -1}, kDeg, "ERROR 15"},
      {"nPr", {21, -1}, kDeg, "ERROR 15"},
      {"nPr", {-1, 1}, kDeg, "ERROR 15"},
      {"nPr", {-21, 2}, kDeg, "ERROR 15"},
      {"nPr", {-1, 0}, kDeg, "ERROR 15"},
      {"nPr", {-0.5L, 1}, kDeg, "0"},
      {"nPr", {4294967297.0L, 1}, kDeg, "4294967297"},
      {"nPr", {3000, 2000}, kDeg, "ERROR 16"},
      {"nPr", {1E19L, 1}, kDeg, "ERROR 15"},
      {"fact", {0}, kDeg, "1"},
      {"fact", {1}, kDeg, "1"},
      {"fact", {5}, kDeg, "120"},
      {"fact", {5.9L}, kDeg, "120"},
      {"fact", {20}, kDeg, "2.43290200817664E18"},
      {"fact", {1754}, kDeg, "1.97926189010501E4930"},
      {"fact", {1755}, kDeg, "ERROR 16"},
      {"fact", {-1}, kDeg, "ERROR 15"},
      {"fact", {-4294967296.0L}, kDeg, "ERROR 15"},
      {"fact", {4294967296.0L}, kDeg, "ERROR 16"},
      {"fact", {1E19L}, kDeg, "ERROR 15"},
      {"nCr", {5, 2}, kDeg, "10"},
      {"nCr", {5, 0}, kDeg, "1"},
      {"nCr", {5, 5}, kDeg, "1"},
      {"nCr", {52, 5}, kDeg, "2598960"},
      {"nCr", {2000, 1}, kDeg, "ERROR 16"},
      {"nCr", {5, 6}, kDeg, "ERROR 15"},
      {"nCr", {-5, 2}, kDeg, "ERROR 15"},
  });
}

TEST(StatisticalFunctions, Permutations) {
  EXPECT_EQ(Permutations(5.9L, 2.9L), 20);
  EXPECT_EQ(Permutations(10, 10), 3628800);
  EXPECT_EQ(Permutations(10, 11), 0);
  EXPECT_EQ(Permutations(0, 0), 1);
  EXPECT_EQ(Permutations(-0.9L, 0), 1);
}

TEST(StatisticalFunctions, StatisticsOverArgumentLists) {
  EngineContext context;
  ExpectOutcomes(context, {
      {"sum", {1, 2, 3}, kDeg, "6"},
      {"sum", {1}, kDeg, "1"},
      {"sum", {-1.5L, 0.5L}, kDeg, "-1"},
      {"sum", {1E4932L, 1E4932L}, kDeg, "ERROR 16"},
      {"ave", {1, 2, 3, 4}, kDeg, "2.5"},
      {"ave", {5}, kDeg, "5"},
      {"ave", {1E4932L, 1E4932L}, kDeg, "ERROR 16"},
      {"sumsqu", {1, 2, 3}, kDeg, "14"},
      {"sumsqu", {-3}, kDeg, "9"},
      {"sumsqu", {1E3000L}, kDeg, "ERROR 16"},
      // Each square fits; their sum does not, and later squares must not
      // hide that.
      {"sumsqu", {1E2466L, 1E2466L, 1}, kDeg, "ERROR 16"},
      {"variance", {1, 2, 3}, kDeg, "2"},
      {"variance", {5}, kDeg, "0"},
      {"variance", {2, 4, 4, 4, 5, 5, 7, 9}, kDeg, "32"},
      {"variance", {1E4932L, -1E4932L}, kDeg, "ERROR 16"},
      {"deviation", {1, 2, 3}, kDeg, "1.4142135623731"},
      {"deviation", {2, 4, 4, 4, 5, 5, 7, 9}, kDeg, "5.65685424949238"},
      {"deviation", {7}, kDeg, "0"},
      {"max", {-3, -5}, kDeg, "-3"},
      {"max", {2, 7, 4}, kDeg, "7"},
      {"max", {-kInf}, kDeg, "-INF"},
      {"min", {2, 7, 4}, kDeg, "2"},
      {"min", {-1}, kDeg, "-1"},
      {"min", {kInf}, kDeg, "INF"},
      {"min", {kInf, 3}, kDeg, "3"},
  });
}

TEST(StatisticalFunctions, PracticalFunctions) {
  EngineContext context;
  ExpectOutcomes(context, {
      {"bmi", {60, 1.7L}, kDeg, "20.7612456747405"},
      {"bmi", {60, 0}, kDeg, "ERROR 14"},
      {"rohres", {30, 1.3L}, kDeg, "136.549840691853"},
      {"rohres", {30, 0}, kDeg, "ERROR 14"},
      {"rohres", {1, 1E4931L}, kDeg, "ERROR 16"},
      {"tax", {100}, kDeg, "108"},
      {"tax", {0}, kDeg, "0"},
      {"taxn", {10, 100}, kDeg, "110"},
      {"taxn", {0, 100}, kDeg, "100"},
      {"taxn", {8, 250}, kDeg, "270"},
  });
}

TEST(StatisticalFunctions, WeekdayNumbersSaturdayAsZero) {
  EngineContext context;
  ExpectOutcomes(context, {
      {"weekday", {2014, 9, 20}, kDeg, "0"},
      {"weekday", {2000, 1, 1}, kDeg, "0"},
      {"weekday", {1900, 1, 1}, kDeg, "2"},
      {"weekday", {2024, 2, 29}, kDeg, "5"},
      {"weekday", {2014, 3, 2}, kDeg, "1"},
      {"weekday", {2000, 3, 1}, kDeg, "4"},
      {"weekday", {2026, 12, 9}, kDeg, "4"},
      {"weekday", {2014.4L, 9.4L, 20.4L}, kDeg, "0"},
      {"weekday", {2014, 9, 20.5L}, kDeg, "0"},
      {"weekday", {2014, 9, 21.5L}, kDeg, "2"},
      // Year 1 began on a Monday; year 0 (1 BC) is a leap year before it.
      {"weekday", {1, 1, 1}, kDeg, "2"},
      {"weekday", {0, 1, 1}, kDeg, "0"},
      {"weekday", {-1, 12, 31}, kDeg, "6"},
      // Unchecked dates simply run on: 2014-09-31 is 2014-10-01.
      {"weekday", {2014, 9, 31}, kDeg, "4"},
      {"weekday", {1E19L, 1, 1}, kDeg, "ERROR 15"},
      {"weekday", {9.2E18L, 2, 9.2E18L}, kDeg, "0"},
  });
}

TEST(StatisticalFunctions, WeekdayAgreesWithTheCalendarOverCenturies) {
  using namespace std::chrono;
  EngineContext context;
  TCalcResult result;
  const sys_days last = sys_days(year(2401) / January / 1);
  for (sys_days day = sys_days(year(1582) / October / 15); day < last; day += days(1)) {
    const year_month_day date(day);
    const long double value =
        CallFunction(context, "weekday",
                     {static_cast<long double>(static_cast<int>(date.year())),
                      static_cast<long double>(static_cast<unsigned>(date.month())),
                      static_cast<long double>(static_cast<unsigned>(date.day()))},
                     result);
    const unsigned fromSunday = weekday(day).c_encoding();
    ASSERT_EQ(value, (fromSunday + 1) % 7) << static_cast<int>(date.year()) << "-"
                                            << static_cast<unsigned>(date.month()) << "-"
                                            << static_cast<unsigned>(date.day());
  }
}

}  // namespace
}  // namespace zc::testing
