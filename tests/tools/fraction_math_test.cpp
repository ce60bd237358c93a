#include "fraction_math.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>

namespace zc {
namespace {

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

TEST(FractionMath, ReduceFraction) {
  const struct {
    std::int32_t a, b, numerator, denominator;
    bool reduced;
  } cases[] = {
      {6, 8, 3, 4, true},
      {-6, 8, -3, 4, true},
      {6, -8, -3, 4, true},
      {-6, -8, 3, 4, true},
      {3, -4, 3, -4, false},  // nothing to cancel: the sign stays where it was typed
      {-3, -4, -3, -4, false},
      {0, 5, 0, 5, false},
      {0, 0, 0, 0, false},
      {1, 2, 1, 2, false},
      {-1, 0, -1, 0, false},
      {5, 0, 0, 0, true},
      {-5, 0, 0, 0, true},
      {50000, 50000, 1, 1, true},
      {kMin, kMin, 1, 1, true},
      {kMin, 2, -1073741824, 1, true},
      {kMin, -2, 1073741824, 1, true},
      {2, kMin, -1, 1073741824, true},
      {kMin, 0, 0, 0, true},
      {kMin, kMax, kMin, kMax, false},
      {kMax, kMin, kMax, kMin, false},
      {kMax, kMax, 1, 1, true},
      {kMin, 3, kMin, 3, false},
      {46341 * 2, 46341 * 4, 1, 2, true},  // operands whose product overflows
      {-46341 * 2, 46341 * 3, -2, 3, true},
  };
  for (const auto& c : cases) {
    const auto f = ReduceFraction(c.a, c.b);
    EXPECT_EQ(f.numerator, c.numerator) << c.a << "/" << c.b;
    EXPECT_EQ(f.denominator, c.denominator) << c.a << "/" << c.b;
    EXPECT_EQ(f.reduced, c.reduced) << c.a << "/" << c.b;
  }
}

TEST(FractionMath, ReducedFractionsKeepTheirValueAndHaveNoCommonFactor) {
  for (std::int32_t a = -40; a <= 40; ++a) {
    for (std::int32_t b = -40; b <= 40; ++b) {
      if (b == 0) continue;
      const auto f = ReduceFraction(a, b);
      EXPECT_EQ(static_cast<long long>(f.numerator) * b, static_cast<long long>(a) * f.denominator);
      if (f.reduced) {
        EXPECT_GT(f.denominator, 0);
        for (int n = 2; n <= std::abs(f.numerator); ++n) {
          EXPECT_FALSE(f.numerator % n == 0 && f.denominator % n == 0) << a << "/" << b;
        }
      }
    }
  }
}

}  // namespace
}  // namespace zc
