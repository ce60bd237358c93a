#include "quadratic_math.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdlib>
#include <limits>

namespace zc {
namespace {

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

// The factorisation search as four nested loops over whole ranges.
std::optional<TLinearFactors> NestedLoopSearch(int a, int b, int c) {
  for (int p = -std::abs(a); p <= std::abs(a); ++p)
    for (int q = std::abs(a); q >= -std::abs(a); --q) {
      if (p * q != a) continue;
      for (int s = -std::abs(c); s <= std::abs(c); ++s)
        for (int t = std::abs(c); t >= -std::abs(c); --t)
          if (s * t == c && p * t + q * s == b) return TLinearFactors{p, q, s, t};
    }
  return std::nullopt;
}

TEST(QuadraticMath, FactoriseFindsTheFirstQuadrupleOfTheNestedSearch) {
  for (int a = -7; a <= 7; ++a)
    for (int c = -7; c <= 7; ++c)
      for (int b = -20; b <= 20; ++b) {
        const auto fast = Factorise(a, b, c);
        const auto slow = NestedLoopSearch(a, b, c);
        ASSERT_EQ(fast.has_value(), slow.has_value()) << a << " " << b << " " << c;
        if (!fast) continue;
        EXPECT_EQ(fast->p, slow->p) << a << " " << b << " " << c;
        EXPECT_EQ(fast->q, slow->q);
        EXPECT_EQ(fast->s, slow->s);
        EXPECT_EQ(fast->t, slow->t);
      }
}

TEST(QuadraticMath, FactoriseExtremeCoefficientsAtOnce) {
  const struct {
    std::int32_t a, b, c;
    std::optional<bool> found;  // nothing: either way, but a match must be right
  } cases[] = {
      {kMax, kMax, 0, false},
      {kMin, 0, 0, true},
      {1, kMin + 1, kMax, false},
      {1, kMax, kMax - 1, true},
      {2147483646, -1, -1, false},
      {1, -2, 1, true},
      {1, 0, kMin, false},
      {kMin, kMin + 1, 1, true},  // (-2^31 x + 1)(x + 1)
      {2095133040, 1, -2095133040, std::nullopt},  // 1600 divisors on both sides
      {2095133040, 2095133041, 2095133040, std::nullopt},
  };
  const auto start = std::chrono::steady_clock::now();
  for (const auto& c : cases) {
    const auto f = Factorise(c.a, c.b, c.c);
    if (c.found) {
      EXPECT_EQ(f.has_value(), *c.found) << c.a << " " << c.b << " " << c.c;
    }
    if (f) {
      EXPECT_EQ(f->p * f->q, c.a);
      EXPECT_EQ(f->s * f->t, c.c);
      EXPECT_EQ(f->p * f->t + f->q * f->s, c.b);
    }
  }
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

TEST(QuadraticMath, FormatCoefficient) {
  const struct {
    std::int64_t value;
    bool plus, omitOne;
    const char* text;
  } cases[] = {
      {7, false, false, "7"},   {7, true, false, "+7"},  {-7, true, true, "-7"},
      {0, true, false, "0"},    {0, false, true, "0"},   {1, false, true, ""},
      {1, true, true, ""},      {-1, false, true, "-"},  {-1, true, false, "-1"},
      {1, true, false, "+1"},   {1, false, false, "1"},  {kMin, true, false, "-2147483648"},
      {kMax, true, true, "+2147483647"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatCoefficient(c.value, c.plus, c.omitOne), c.text) << c.value;
  }
}

TEST(QuadraticMath, ReadCoefficient) {
  const struct {
    const char* text;
    std::int32_t value;
  } cases[] = {
      {"", 1},   {"2", 2},       {"+2", 2},   {"-", -1},         {"-3", -3},
      {"x", 1},  {"1.5", 1},     {"+", 1},    {"--1", 1},        {"-2147483648", -2147483648},
      {"2147483648", 1},         {"0", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(ReadCoefficient(c.text), c.value) << c.text;
  // What the factorisation writes reads back as the coefficient it stands for.
  for (std::int64_t v : {-5, -1, 1, 5}) {
    EXPECT_EQ(ReadCoefficient(FormatCoefficient(v, false, true)), v);
    EXPECT_EQ(ReadCoefficient(FormatCoefficient(v, true, false)), v);
  }
}

TEST(QuadraticMath, SimplifyRoot) {
  const struct {
    std::int64_t n, factor, rest;
  } cases[] = {
      {0, 1, 0},   {1, 1, 1},    {4, 2, 1},     {5, 1, 5},    {9, 1, 9},
      {12, 2, 3},  {32, 4, 2},   {36, 6, 1},    {72, 6, 2},   {-8, 1, -8},
      {4611686018427387904, 2147483648, 1},  // 2^62
      {9223372036854775807, 7, 188232082384791343},
  };
  for (const auto& c : cases) {
    const auto r = SimplifyRoot(c.n);
    EXPECT_EQ(r.factor, c.factor) << c.n;
    EXPECT_EQ(r.rest, c.rest) << c.n;
  }
}

TEST(QuadraticMath, Solve) {
  const struct {
    std::int64_t a, b, c;
    RootKind kind;
    const char* root1;
    const char* root2;  // empty: the square-root form in root1
  } cases[] = {
      {1, 3, 2, RootKind::Two, "-1", "-2"},
      {1, 2, 1, RootKind::Double, "-1", "-1"},
      {1, 3, 1, RootKind::Two, "-3±1√5/2", ""},
      {1, 0, -8, RootKind::Two, "0±4√2/2", ""},
      {2, 1, 0, RootKind::Two, "0/4", "-1/2"},
      {1, 0, 1, RootKind::None, "", ""},
      {-1, 0, 9, RootKind::Two, "-3", "3"},
      {4, -4, 1, RootKind::Double, "1/2", "1/2"},
      {kMax, kMin, 0, RootKind::Two, "2147483648/2147483647", "0/4294967294"},
      {1, kMin, 0, RootKind::Two, "2147483648", "0/2"},
      {1, 0, kMin, RootKind::Two, "0±65536√2/2", ""},
      {-1, 1, kMax, RootKind::Two, "-1±1√8589934589/-2", ""},
  };
  for (const auto& c : cases) {
    const auto roots = SolveQuadratic(c.a, c.b, c.c);
    EXPECT_EQ(roots.kind, c.kind) << c.a << " " << c.b << " " << c.c;
    if (c.kind == RootKind::None) continue;
    if (*c.root2 == '\0') {
      EXPECT_FALSE(roots.rational);
      EXPECT_EQ(RadicalRootText(roots), c.root1);
    } else {
      ASSERT_TRUE(roots.rational);
      EXPECT_EQ(RootText(roots.root1), c.root1);
      EXPECT_EQ(RootText(roots.root2), c.root2);
    }
  }
  EXPECT_THROW(SolveQuadratic(kMin, kMin, kMax), std::overflow_error);
}

TEST(QuadraticMath, ExpandOnlyWhatFitsTheFields) {
  const struct {
    std::int32_t a, b, c, d;
    std::optional<std::array<std::int64_t, 3>> result;
  } cases[] = {
      {1, 2, 1, 1, std::array<std::int64_t, 3>{1, 3, 2}},
      {2, -3, -1, 4, std::array<std::int64_t, 3>{-2, 11, -12}},
      {0, 0, 0, 0, std::array<std::int64_t, 3>{0, 0, 0}},
      {46341, 0, 46341, 0, std::nullopt},                  // A = 2^31 + ...
      {-46341, 1, 46340, 1, std::array<std::int64_t, 3>{-2147441940, -1, 1}},
      {int(kMin), 1, 1, 0, std::array<std::int64_t, 3>{kMin, 1, 0}},
      {int(kMin), 1, -1, 0, std::nullopt},                  // 2^31
      {int(kMin), int(kMin), int(kMin), int(kMin), std::nullopt},  // B = 2^63
      {1, 65536, 1, 32768, std::nullopt},                   // C = 2^31
  };
  for (const auto& c : cases) {
    const auto q = Expand(c.a, c.b, c.c, c.d);
    ASSERT_EQ(q.has_value(), c.result.has_value()) << c.a << " " << c.b << " " << c.c << " " << c.d;
    if (!q) continue;
    EXPECT_EQ((std::array<std::int64_t, 3>{q->a, q->b, q->c}), *c.result);
  }
}

}  // namespace
}  // namespace zc
