#include "numeric_calculus.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace zc {
namespace {

TCalcResult Success(long double value) {
  TCalcResult result;
  result.dwStatusCode = status::kSuccess;
  result.dwSource = value;
  return result;
}

TCalcResult Failure() {
  TCalcResult result;
  result.dwStatusCode = status::kDivisionByZero;
  return result;
}

// A sampler that counts its calls.
struct Counting {
  int calls = 0;
  std::function<TCalcResult(long double)> f;
  Sampler AsSampler() {
    return [this](long double x) {
      ++calls;
      return f(x);
    };
  }
};

TEST(NumericCalculus, IntegralOfOneFromZeroToOneRunsTenThousandAndOneStrips) {
  Counting one{0, [](long double) { return Success(1); }};
  std::vector<int> progress;
  const long double h = IntegralStep(0, 1, std::nullopt);
  const auto sum = IntegrateTrapezoid(one.AsSampler(), 0, 1, h, [&](int p) {
    progress.push_back(p);
    return true;
  });
  ASSERT_TRUE(sum);
  EXPECT_EQ(RoundDecimals(*sum, 4), 1.0001L);
  EXPECT_EQ(progress.size(), 10001u);
  EXPECT_EQ(one.calls, 10002);  // each right end serves as the next left end
  EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
  EXPECT_EQ(progress.front(), 0);
  EXPECT_EQ(progress.back(), 100);
}

TEST(NumericCalculus, FailedRightEndsAreSampledAgainAsLeftEnds) {
  // Fails at every x + h and succeeds at every x: each strip samples twice.
  bool right = false;
  Counting alternating{0, [&](long double) {
                         right = !right;
                         return right ? Success(2) : Failure();
                       }};
  const auto sum = IntegrateTrapezoid(alternating.AsSampler(), 0, 1, 0.25L, nullptr);
  ASSERT_TRUE(sum);
  EXPECT_EQ(alternating.calls, 10);     // five strips, x = 0 .. 1
  EXPECT_EQ(*sum, 5 * (2 + 0) * 0.125L);  // failures count as 0
}

TEST(NumericCalculus, TrapezoidSums) {
  const struct {
    long double (*f)(long double);
    long double a, b, expected;
  } cases[] = {
      {[](long double x) { return x; }, 0, 2, 2.0004L},  // one strip past the end
      {[](long double x) { return 3 * x * x; }, -1, 1, 2.0006L},
      {[](long double x) { return std::sin(x); }, 0, 3.14159265358979323846L, 2.0000L},
      {[](long double) { return 5.0L; }, 10, 20, 50.005L},
  };
  for (const auto& c : cases) {
    auto f = c.f;
    const auto sum = IntegrateTrapezoid([f](long double x) { return Success(f(x)); }, c.a, c.b,
                                        IntegralStep(c.a, c.b, std::nullopt), nullptr);
    ASSERT_TRUE(sum);
    EXPECT_NEAR(static_cast<double>(RoundDecimals(*sum, 4)), static_cast<double>(c.expected), 1e-3)
        << c.a << " " << c.b;
  }
}

TEST(NumericCalculus, BackwardRangeWithTheAutomaticStepGivesZeroAtOnce) {
  Counting one{0, [](long double) { return Success(1); }};
  const auto sum = IntegrateTrapezoid(one.AsSampler(), 5, 1, IntegralStep(5, 1, std::nullopt), nullptr);
  ASSERT_TRUE(sum);
  EXPECT_EQ(*sum, 0);
  EXPECT_EQ(one.calls, 0);
}

TEST(NumericCalculus, TheCallbackCanStopTheLoop) {
  int strips = 0;
  const auto sum = IntegrateTrapezoid([](long double) { return Success(1); }, 0, 1, 0.01L,
                                      [&](int) { return ++strips < 7; });
  EXPECT_FALSE(sum);
  EXPECT_EQ(strips, 7);
}

TEST(NumericCalculus, StepsThatCouldNeverReachTheEndAreRefused) {
  const struct {
    long double a, b;
    std::optional<long double> step;
    const char* message;  // empty: accepted
  } cases[] = {
      {5, 5, std::nullopt, kNoIntegralRangeMessage},
      {1e20L, 1e20L + 1000, std::nullopt, kNoIntegralRangeMessage},  // within 1e-16 relative
      {0, 1e-17L, std::nullopt, kNoIntegralRangeMessage},
      {0, 1, 0.0L, "ステップが 0 では積分が終わりません"},
      {0, 1, -0.1L, "ステップの符号が逆なので終了(x座標)に届きません"},
      {1, 0, 0.1L, "ステップの符号が逆なので終了(x座標)に届きません"},
      {1e6L, 2e6L, 1e-20L, "ステップが小さすぎて x が進みません"},
      {1, 1 + 4e-16L, std::nullopt, "範囲が狭すぎて積分できません"},
      {0, 1, 0.5L, ""},
      {1, 0, -0.5L, ""},
      {0, 1, std::nullopt, ""},
  };
  for (const auto& c : cases) {
    if (*c.message == '\0') {
      EXPECT_NO_THROW(IntegralStep(c.a, c.b, c.step));
      continue;
    }
    try {
      IntegralStep(c.a, c.b, c.step);
      ADD_FAILURE() << "accepted " << static_cast<double>(c.a) << " " << static_cast<double>(c.b);
    } catch (const CalculusError& error) {
      EXPECT_STREQ(error.what(), c.message);
    }
  }
  EXPECT_EQ(IntegralStep(0, 1, std::nullopt), 0.0001L);
}

TEST(NumericCalculus, Slope) {
  const auto square = [](long double x) { return Success(x * x); };
  const TSlope s = ComputeSlope(square, 3, 1e-9L);
  EXPECT_EQ(s.slope, 6);
  EXPECT_EQ(s.intercept, -9);
  EXPECT_EQ(TangentText(s), "6x-9");
  EXPECT_EQ(TangentText(ComputeSlope([](long double) { return Success(4); }, 2, 1e-9L)), "0x+4");
  EXPECT_EQ(TangentText(ComputeSlope([](long double) { return Failure(); }, 2, 1e-9L)), "0x+0");
  EXPECT_EQ(TangentText({-0.5L, 3}), "-0.5x+3");
  EXPECT_EQ(TangentText({2, -1}), "2x-1");
  EXPECT_THROW(ComputeSlope(square, 3, 0), CalculusError);
}

TEST(NumericCalculus, RoundDecimalsTiesToEven) {
  EXPECT_EQ(RoundDecimals(0.125L, 2), 0.12L);
  EXPECT_EQ(RoundDecimals(0.375L, 2), 0.38L);
  EXPECT_EQ(RoundDecimals(-2.5L, 0), -2);
  EXPECT_EQ(RoundDecimals(1.000149L, 4), 1.0001L);
}

TEST(NumericCalculus, FieldNumbers) {
  const struct {
    const char* text;
    long double value;
  } good[] = {{"+10e-10", 1e-9L}, {"0", 0}, {"-.5", -0.5L}, {"3.", 3}, {" 2 ", 2}, {"1E3", 1000}};
  for (const auto& c : good) EXPECT_EQ(ParseFieldNumber(c.text), c.value) << c.text;
  for (const char* bad : {"", "-", "e5", "1e", "1,5", "inf", "nan", "0x10", "1e99999", "1 2"}) {
    EXPECT_THROW(ParseFieldNumber(bad), CalculusError) << bad;
  }
  try {
    ParseFieldNumber("abc");
  } catch (const CalculusError& error) {
    EXPECT_STREQ(error.what(), "'abc' は浮動小数点数ではありません");
  }
}

TEST(NumericCalculus, SetNameValueReplacesOrAppends) {
  NameValueList list = {"a=1", "X=2", "x=3"};
  SetNameValue(list, "x", "9");
  EXPECT_EQ(list, (NameValueList{"a=1", "x=9", "x=3"}));
  NameValueList empty;
  SetNameValue(empty, "x", "0.5");
  EXPECT_EQ(empty, NameValueList{"x=0.5"});
}

}  // namespace
}  // namespace zc
