#include <cctype>
#include <cfenv>
#include <chrono>
#include <cmath>
#include <memory>
#include <string>
#include <string_view>
#include <thread>

#include <gtest/gtest.h>

#include "engine_fault.h"
#include "function_test_support.h"
#include "int_unit.h"

namespace zc::testing {
namespace {

constexpr long double kInf = HUGE_VALL;

TEST(FunctionLibrary, TrigonometricFunctionsFollowTheAngleMode) {
  EngineContext context;
  ExpectOutcomes(context, {
      {"sin", {30}, kDeg, "0.5"},
      {"sin", {30}, kRad, "-0.988031624092862"},
      {"sin", {100}, kGrad, "1"},
      {"sin", {0}, kRad, "0"},
      {"cos", {60}, kDeg, "0.5"},
      {"cos", {0}, kRad, "1"},
      {"cos", {200}, kGrad, "-1"},
      {"tan", {45}, kDeg, "1"},
      {"tan", {50}, kGrad, "1"},
      {"tan", {90}, kDeg, "ERROR 15"},
      {"tan", {270}, kDeg, "-5.44458933676924E18"},
      {"tan", {-90}, kDeg, "3.98679762981171E19"},
      {"tan", {100}, kGrad, "1.19994102263174E19"},
      {"tan", {1.5707963L}, kRad, "37320539.5867866"},
      {"asn", {1}, kDeg, "90"},
      {"asn", {1}, kRad, "1.5707963267949"},
      {"asn", {1}, kGrad, "100"},
      {"asn", {0.5L}, kDeg, "30"},
      {"asn", {2}, kDeg, "ERROR 15"},
      {"asn", {-1.5L}, kRad, "ERROR 15"},
      {"acs", {0.5L}, kDeg, "60"},
      {"acs", {-1}, kDeg, "180"},
      {"acs", {0}, kGrad, "100"},
      {"acs", {-1}, kRad, "3.14159265358979"},
      {"acs", {1.5L}, kGrad, "ERROR 15"},
      {"atn", {1}, kDeg, "45"},
      {"atn", {1}, kRad, "0.785398163397448"},
      {"atn", {1}, kGrad, "50"},
      {"atn", {-1}, kDeg, "-45"},
      {"sec", {60}, kDeg, "2"},
      {"sec", {0}, kRad, "1"},
      {"sec", {0}, kGrad, "1"},
      {"csc", {30}, kDeg, "2"},
      {"csc", {0}, kDeg, "ERROR 14"},
      {"csc", {0}, kRad, "ERROR 14"},
      {"csc", {100}, kGrad, "1"},
      {"cot", {45}, kDeg, "1"},
      {"cot", {0}, kGrad, "ERROR 14"},
      {"cot", {90}, kDeg, "-2.50827880633417E-20"},
      {"arcsec", {2}, kDeg, "60"},
      {"arcsec", {-1}, kDeg, "180"},
      {"arcsec", {1}, kRad, "0"},
      {"arcsec", {0}, kDeg, "INF"},
      {"arcsec", {-1E-17L}, kGrad, "INF"},
      {"arcsec", {0.5L}, kDeg, "ERROR 15"},
      {"arccsc", {2}, kDeg, "30"},
      {"arccsc", {1}, kGrad, "100"},
      {"arccsc", {0}, kRad, "INF"},
      {"arccsc", {-0.5L}, kDeg, "ERROR 15"},
      {"arccot", {0}, kDeg, "90"},
      {"arccot", {0}, kRad, "1.5707963267949"},
      {"arccot", {0}, kGrad, "100"},
      {"arccot", {1}, kDeg, "45"},
      {"arccot", {-1}, kDeg, "-45"},
  });
}

TEST(FunctionLibrary, HyperbolicFunctionsIgnoreTheAngleMode) {
  EngineContext context;
  ExpectOutcomes(context, {
      {"sinh", {1}, kDeg, "1.1752011936438"},
      {"sinh", {1}, kGrad, "1.1752011936438"},
      {"sinh", {-1}, kRad, "-1.1752011936438"},
      {"sinh", {1E-17L}, kDeg, "1E-17"},
      {"sinh", {-1E-16L}, kDeg, "-1E-16"},
      {"sinh", {1.1E-16L}, kDeg, "1.1E-16"},
      {"sinh", {1.23456789012345E-300L}, kDeg, "1.23456789012345E-300"},
      {"sinh", {1E-4935L}, kDeg, "1E-4935"},
      {"sinh", {0}, kDeg, "0"},
      {"sinh", {-1E-10L}, kDeg, "-1E-10"},
      {"sinh", {1E-5L}, kDeg, "1.00000000001667E-5"},
      {"sinh", {11357}, kDeg, "ERROR 16"},
      {"sinh", {-11357}, kDeg, "ERROR 16"},
      {"cosh", {0}, kDeg, "1"},
      {"cosh", {1}, kRad, "1.54308063481524"},
      {"cosh", {-11357}, kGrad, "ERROR 16"},
      {"tanh", {1}, kDeg, "0.761594155955765"},
      {"tanh", {24}, kDeg, "1"},
      {"tanh", {-30}, kDeg, "-1"},
      {"tanh", {1E4000L}, kDeg, "1"},
      {"asnh", {1}, kDeg, "0.881373587019543"},
      {"asnh", {-1}, kGrad, "-0.881373587019543"},
      {"asnh", {-1E10L}, kDeg, "-23.7189981105004"},
      {"asnh", {1E3000L}, kDeg, "ERROR 16"},
      {"asnh", {1E-10L}, kDeg, "1E-10"},
      {"asnh", {-0.001L}, kDeg, "-0.000999999833333408"},
      {"acsh", {1}, kDeg, "0"},
      {"acsh", {2}, kRad, "1.31695789692482"},
      {"acsh", {0}, kDeg, "ERROR 15"},
      {"acsh", {-1}, kDeg, "ERROR 14"},
      {"acsh", {-2}, kDeg, "ERROR 15"},
      {"acsh", {-1E4932L}, kDeg, "ERROR 15"},
      {"atnh", {0.5L}, kDeg, "0.549306144334055"},
      {"atnh", {-0.5L}, kGrad, "-0.549306144334055"},
      {"atnh", {1}, kDeg, "INF"},
      {"atnh", {1 - 1E-17L}, kDeg, "INF"},
      {"atnh", {-1}, kDeg, "-INF"},
      {"atnh", {2}, kDeg, "ERROR 15"},
      {"atnh", {1E-10L}, kDeg, "1E-10"},
      {"atnh", {-0.001L}, kDeg, "-0.00100000033333353"},
  });
}

TEST(FunctionLibrary, ElementaryFunctions) {
  EngineContext context;
  ExpectOutcomes(context, {
      {"squ", {3}, kDeg, "9"},
      {"squ", {-1.5L}, kDeg, "2.25"},
      {"squ", {1E3000L}, kDeg, "ERROR 16"},
      {"sqr", {16}, kDeg, "4"},
      {"sqr", {2}, kDeg, "1.4142135623731"},
      {"sqr", {0}, kDeg, "0"},
      {"sqr", {-4}, kDeg, "ERROR 15"},
      {"cub", {-2}, kDeg, "-8"},
      {"cub", {1E2000L}, kDeg, "ERROR 16"},
      {"cur", {8}, kDeg, "2"},
      {"cur", {27}, kDeg, "3"},
      {"cur", {0}, kDeg, "0"},
      {"cur", {-8}, kDeg, "ERROR 15"},
      {"rcp", {4}, kDeg, "0.25"},
      {"rcp", {-0.5L}, kDeg, "-2"},
      {"rcp", {0}, kDeg, "ERROR 14"},
      {"ln", {1}, kDeg, "0"},
      {"ln", {0}, kDeg, "ERROR 14"},
      {"ln", {-1}, kDeg, "ERROR 15"},
      {"exp", {0}, kDeg, "1"},
      {"exp", {1}, kDeg, "2.71828182845905"},
      {"exp", {-20000}, kDeg, "0"},
      {"exp", {20000}, kDeg, "ERROR 16"},
      {"log", {1000}, kDeg, "3"},
      {"log", {0.01L}, kDeg, "-2"},
      {"log", {0}, kDeg, "ERROR 14"},
      {"log", {-10}, kDeg, "ERROR 15"},
      {"logN", {2, 8}, kDeg, "3"},
      {"logN", {10, 1000}, kDeg, "3"},
      {"logN", {1, 5}, kDeg, "ERROR 14"},
      {"logN", {1, 1}, kDeg, "ERROR 15"},
      {"logN", {0, 5}, kDeg, "ERROR 14"},
      {"logN", {2, 0}, kDeg, "ERROR 14"},
      {"logN", {-2, 8}, kDeg, "ERROR 15"},
      {"logN", {2, -8}, kDeg, "ERROR 15"},
      {"logN", {-2, 0}, kDeg, "ERROR 14"},
      {"logN", {0, -8}, kDeg, "ERROR 15"},
      {"ten", {3}, kDeg, "1000"},
      {"ten", {-2}, kDeg, "0.01"},
      {"ten", {0.5L}, kDeg, "3.16227766016838"},
      {"ten", {5000}, kDeg, "ERROR 16"},
      {"sign", {-5}, kDeg, "-1"},
      {"sign", {0}, kDeg, "0"},
      {"sign", {0.001L}, kDeg, "1"},
      {"abs", {-2.5L}, kDeg, "2.5"},
      {"abs", {3}, kDeg, "3"},
      {"hypot", {3, 4}, kDeg, "5"},
      {"hypot", {-5, 12}, kDeg, "13"},
      {"hypot", {0, 0}, kDeg, "0"},
      {"hypot", {1E3000L, 1E3000L}, kDeg, "1.4142135623731E3000"},
  });
}

TEST(FunctionLibrary, WholeNumberConversions) {
  EngineContext context;
  ExpectOutcomes(context, {
      {"round", {0.5L}, kDeg, "0"},
      {"round", {1.5L}, kDeg, "2"},
      {"round", {2.5L}, kDeg, "2"},
      {"round", {3.5L}, kDeg, "4"},
      {"round", {-2.5L}, kDeg, "-2"},
      {"round", {-2.6L}, kDeg, "-3"},
      {"round", {1E19L}, kDeg, "ERROR 15"},
      {"trunc", {-2.7L}, kDeg, "-2"},
      {"trunc", {9.99L}, kDeg, "9"},
      {"trunc", {9223372036854775807.0L}, kDeg, "9.22337203685478E18"},
      {"trunc", {1E19L}, kDeg, "ERROR 15"},
      {"trunc", {-1E19L}, kDeg, "ERROR 15"},
      {"floor", {-2.5L}, kDeg, "-3"},
      {"floor", {2.9L}, kDeg, "2"},
      {"floor", {-3}, kDeg, "-3"},
      {"floor", {-3000000000.5L}, kDeg, "-3000000001"},
      {"floor", {1E19L}, kDeg, "ERROR 15"},
      {"ceil", {-2.5L}, kDeg, "-2"},
      {"ceil", {2.1L}, kDeg, "3"},
      {"ceil", {3}, kDeg, "3"},
      {"ceil", {2147483647.5L}, kDeg, "2147483648"},
      {"ceil", {1E19L}, kDeg, "ERROR 15"},
      {"frac", {-2.5L}, kDeg, "-0.5"},
      {"frac", {2.25L}, kDeg, "0.25"},
      {"frac", {1E19L}, kDeg, "0"},
      {"frac", {kInf}, kDeg, "0"},
      {"not", {0}, kDeg, "-1"},
      {"not", {5}, kDeg, "-6"},
      {"not", {-2.7L}, kDeg, "1"},
      {"not", {1E19L}, kDeg, "ERROR 15"},
  });
}

TEST(FunctionLibrary, ArgumentCountsAreChecked) {
  EngineContext context;
  ExpectOutcomes(context, {
      {"sin", {1, 2}, kDeg, "ERROR 13"},
      {"hypot", {3}, kDeg, "ERROR 13"},
      {"hypot", {3, 4, 5}, kDeg, "ERROR 13"},
      {"weekday", {2014, 9}, kDeg, "ERROR 13"},
      {"nPr", {5}, kDeg, "ERROR 13"},
      {"logN", {2, 8, 1}, kDeg, "ERROR 13"},
      {"taxn", {10}, kDeg, "ERROR 13"},
      {"tax", {10, 100}, kDeg, "ERROR 13"},
      {"undefined", {1, 2}, kDeg, "ERROR 13"},
      // Both checks fail: the right-angle check runs last.
      {"tan", {90, 1}, kDeg, "ERROR 15"},
      {"sum", {1}, kDeg, "1"},
      {"max", {1, 2, 3, 4, 5, 6, 7, 8}, kDeg, "8"},
  });
}

TEST(FunctionLibrary, NamesMatchInAnyLetterCase) {
  EngineContext context;
  ExpectOutcomes(context, {
      {"SIN", {30}, kDeg, "0.5"},
      {"Sin", {30}, kDeg, "0.5"},
      {"nPr", {5, 2}, kDeg, "20"},
      {"npr", {5, 2}, kDeg, "20"},
      {"NPR", {5, 2}, kDeg, "20"},
      {"LOGN", {2, 8}, kDeg, "3"},
      {"WeekDay", {2014, 9, 20}, kDeg, "0"},
      {"DEVIATION", {1, 2, 3}, kDeg, "1.4142135623731"},
  });
}

TEST(BuiltinNames, EveryNameIsFoundByBothLookupsInAnyCase) {
  for (const TBuiltinFunction& entry : BuiltinFunctions()) {
    const std::string name(entry.name);
    std::string upper = name;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    EXPECT_EQ(FindBuiltinFunction(name), &entry) << name;
    EXPECT_EQ(FindBuiltinFunction(upper), &entry) << upper;
    EXPECT_EQ(MatchBuiltinFunction(upper + "(2)"), &entry) << upper;
  }
}

TEST(BuiltinNames, TheScannerTakesTheLongestNameAndLookupsNeedTheWholeName) {
  struct Row {
    std::string_view text;
    std::string_view matched;  // longest built-in the text begins with
    std::string_view found;    // built-in named exactly the text
  };
  const Row rows[] = {
      {"sinh2", "sinh", ""},     {"sin", "sin", "sin"},         {"SUMSQU(1)", "sumsqu", ""},
      {"summ", "sum", ""},       {"taxn", "taxn", "taxn"},      {"logn", "logN", "logN"},
      {"log10", "log", ""},      {"arccotx", "arccot", ""},     {"si", "", ""},
      {"x", "", ""},             {"", "", ""},                  {"1sin", "", ""},
      {"$sin", "", ""},          {"deviations", "deviation", ""},
  };
  for (const Row& row : rows) {
    const TBuiltinFunction* matched = MatchBuiltinFunction(row.text);
    const TBuiltinFunction* found = FindBuiltinFunction(row.text);
    EXPECT_EQ(matched ? matched->name : "", row.matched) << row.text;
    EXPECT_EQ(found ? found->name : "", row.found) << row.text;
  }
}

TEST(FunctionLibrary, RightAngleTangentIsCaughtInEveryMode) {
  EngineContext context;
  const long double rightAngleInRadians = 90 / 57.2957795130823208767L;
  ExpectOutcomes(context, {
      {"tan", {90}, kDeg, "ERROR 15"},
      {"TAN", {90}, kDeg, "ERROR 15"},
      {"tan", {rightAngleInRadians}, kRad, "ERROR 15"},
      // 100 grads are one unit in the last place short of 90 degrees.
      {"tan", {100}, kGrad, "1.19994102263174E19"},
      {"tan", {450}, kDeg, "-5.88452569215841E19"},
  });
}

// ---- angle conversion and power rule ---------------------------------------------

TEST(ConvertAngle, FactorsAreExactlyTheExtendedConstants) {
  EXPECT_EQ(ConvertAngle(kDeg, kRad, 1), 0x1.1df46a2529d3915cp-6L);
  EXPECT_EQ(ConvertAngle(kRad, kDeg, 1), 0x1.ca5dc1a63c1f7b86p+5L);
  // One unit in the last place below the value nearest to 200/pi.
  EXPECT_EQ(ConvertAngle(kRad, kGrad, 1), 0x1.fd4bbab8b494c222p+5L);
  EXPECT_EQ(ConvertAngle(kGrad, kRad, 1), 0x1.015bf92172719c6cp-6L);
}

TEST(ConvertAngle, TwoStepConversionsRoundAfterEachProduct) {
  struct Row { AngleMode from; AngleMode to; long double x; long double expected; };
  const Row rows[] = {
      {kGrad, kDeg, 100, std::nextafter(90.0L, 0.0L)},
      {kDeg, kGrad, 90, (90 * 0x1.1df46a2529d3915cp-6L) * 0x1.fd4bbab8b494c222p+5L},
      {kDeg, kDeg, 12.5L, 12.5L},
      {kRad, kRad, -3, -3},
      {kGrad, kGrad, 7, 7},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(ConvertAngle(row.from, row.to, row.x), row.expected)
        << static_cast<int>(row.from) << "->" << static_cast<int>(row.to) << " of " << static_cast<double>(row.x);
  }
}

TEST(ConvertAngle, UnknownModesGiveMinusOne) {
  const auto unknown = static_cast<AngleMode>(3);
  EXPECT_EQ(ConvertAngle(unknown, kDeg, 45), -1);
  EXPECT_EQ(ConvertAngle(kDeg, unknown, 45), -1);
  EngineContext context;
  context.angleMode = unknown;
  TCalcResult result;
  // sin then works on -1 radian.
  EXPECT_EQ(CallFunction(context, "sin", {30}, result), std::sin(-1.0L));
}

// PowerOf as text, or "ERROR nn" for the fault it throws.
std::string PowerText(long double base, long double exponent) {
  try {
    return ResultText(PowerOf(base, exponent));
  } catch (const EngineFault& fault) {
    return "ERROR " + std::to_string(ErrorCodeFor(fault.Kind()));
  }
}

TEST(PowerOf, Rules) {
  struct Row { long double base; long double exponent; std::string_view expected; };
  const Row rows[] = {
      {0, 0, "1"},
      {0, -1, "ERROR 14"},
      {0, 0.5L, "0"},
      {0, -0.5L, "0"},
      {-8, 1 / 3.0L, "ERROR 15"},
      {-8, 3, "-512"},
      {-2, -3, "-0.125"},
      {2, -2, "0.25"},
      {2, 64, "1.84467440737096E19"},
      {2, 0.5L, "1.4142135623731"},
      {-1, 2147483647, "-1"},
      {-1, 2147483648.0L, "ERROR 15"},
      {-1, -2147483647.0L, "-1"},
      {-1, 2147483646.5L, "ERROR 15"},
      {-2, 3 + 0x1p-62L, "ERROR 15"},
      {-2, 0x1p-80L, "ERROR 15"},
      {-2, 1 - 0x1p-64L, "ERROR 15"},
      {10, 5000, "ERROR 16"},
      {2, 1E4000L, "ERROR 16"},
      {0.5L, 1E4000L, "0"},
      // Only the squares that are used are formed.
      {1E3000L, 1, "1E3000"},
      {1E-3000L, -2, "ERROR 16"},
      {1E-3000L, 2, "0"},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(PowerText(row.base, row.exponent), row.expected)
        << static_cast<double>(row.base) << "^" << static_cast<double>(row.exponent);
  }
}

TEST(PowerOf, NegativePowersThatUnderflowStayQuiet) {
  // 2^16400 does not fit, yet its reciprocal is a small denormal.
  const long double tiny = PowerOf(2, -16400);
  EXPECT_GT(tiny, 0);
  EXPECT_EQ(tiny, std::ldexp(1.0L, -16400));
  EXPECT_EQ(PowerOf(10, -20000), 0);
}

TEST(PowerOf, WholeExponentsMultiplyExactly) {
  EXPECT_EQ(PowerOf(3, 40), 12157665459056928801.0L);
  EXPECT_EQ(PowerOf(-3, 3), -27);
  EXPECT_EQ(PowerOf(1.5L, -2), 1 / 2.25L);
}

// ---- rnd -------------------------------------------------------------------------

TEST(Rnd, FollowsTheLinearCongruentialSequence) {
  EngineContext context;
  context.random.Seed(12345);
  ExpectOutcomes(context, {
      {"rnd", {6}, kDeg, "2"},
      {"rnd", {6}, kDeg, "1"},
      {"rnd", {6.9L}, kDeg, "0"},
      {"rnd", {1000000}, kDeg, "553610"},
      {"rnd", {1}, kDeg, "0"},
      {"rnd", {0}, kDeg, "0"},
      {"rnd", {4294967295.0L}, kDeg, "1889648463"},
  });
  context.random.Seed(1);
  ExpectOutcomes(context, {{"rnd", {-1}, kDeg, "134775813"}});
}

TEST(Rnd, StaysWithinRangeAndReportsOutOfRangeArguments) {
  EngineContext context;
  context.random.Seed(7);
  TCalcResult result;
  for (int i = 0; i < 1000; ++i) {
    const long double value = CallFunction(context, "rnd", {6}, result);
    ASSERT_EQ(result.dwStatusCode, status::kSuccess);
    ASSERT_GE(value, 0);
    ASSERT_LT(value, 6);
    ASSERT_EQ(value, std::trunc(value));
    ASSERT_EQ(CallFunction(context, "rnd", {0.9L}, result), 0);
  }
  ExpectOutcomes(context, {{"rnd", {1E19L}, kDeg, "ERROR 15"}});
}

TEST(Rnd, ClockSeedsDiffer) {
  RandomState first;
  std::this_thread::sleep_for(std::chrono::milliseconds(2));
  RandomState second;
  EXPECT_NE(first.State(), second.State());
}

// ---- ApplyFunctions --------------------------------------------------------------

struct ChainCase {
  std::string_view names;
  TExtendeds arguments;
  std::string_view expected;
};

std::string ApplyChain(EngineContext& context, const ChainCase& row) {
  TIntUnit unit;
  unit.aFunction = row.names;
  unit.aInternalIntegers = row.arguments;
  unit.aInteger = row.arguments.empty() ? 0 : row.arguments[0];
  TCalcResult result;
  const bool applied = ApplyFunctions(context, unit, result);
  if (applied != (result.dwStatusCode == status::kSuccess)) return "inconsistent outcome";
  if (!applied) return result.dwMessage;
  if (unit.aInternalIntegers.size() != row.arguments.size()) return "argument count changed";
  if (unit.aInternalIntegers[0] != unit.aInteger) return "first argument not replaced";
  return ResultText(unit.aInteger);
}

TEST(ApplyFunctions, AppliesNamesFromTheLastToTheFirst) {
  EngineContext context;
  const ChainCase rows[] = {
      {"sin cos ", {30}, "0.0151144191721904"},
      {"sin cos ", {0}, "0.0174524064372835"},
      {"squ sqr ", {16}, "16"},
      {"ln exp ", {1}, "1"},
      {"sqr sum ", {9, 16}, "ERROR 13"},
      {"sum sqr ", {16}, "4"},
      {"sin rcp ", {0}, "ERROR 14"},
      {"  sin\t", {30}, "0.5"},
      {"sin\tcos ", {0}, "0.0174524064372835"},
      {"abs  neg", {2}, "ERROR 20"},
      {"", {7}, "7"},
      {" \t", {7}, "7"},
  };
  for (const ChainCase& row : rows) {
    EXPECT_EQ(ApplyChain(context, row), row.expected) << "names '" << row.names << "'";
  }
}

TEST(ApplyFunctions, FurtherArgumentsStayForTheNextName) {
  EngineContext context;
  TIntUnit unit;
  unit.aFunction = "max sum ";
  unit.aInternalIntegers = {1, 2, 3};
  unit.aInteger = 1;
  TCalcResult result;
  ASSERT_TRUE(ApplyFunctions(context, unit, result));
  // sum gives 6, then max sees 6, 2, 3.
  EXPECT_EQ(unit.aInteger, 6);
  EXPECT_EQ(unit.aInternalIntegers, (TExtendeds{6, 2, 3}));
  EXPECT_EQ(unit.aFunction, "max sum");
}

TEST(ApplyFunctions, StopsAtTheFirstFailure) {
  EngineContext context;
  context.random.Seed(1);
  TIntUnit unit;
  unit.aFunction = "rnd ln ";
  unit.aInternalIntegers = {0};
  TCalcResult result;
  EXPECT_FALSE(ApplyFunctions(context, unit, result));
  EXPECT_EQ(result.dwStatusCode, status::kDivisionByZero);
  EXPECT_EQ(result.dwMessage, "ERROR 14");
  EXPECT_EQ(unit.aInteger, 0);
  // rnd never ran, so the generator did not move.
  EXPECT_EQ(context.random.State(), 1u);
}

// ---- user functions --------------------------------------------------------------

TEST(UserFunctions, AreCalledWhenNoBuiltinNameMatches) {
  EngineContext context;
  AddUserFunction(context, "f", "x", "x*2");
  AddUserFunction(context, "sin", "x", "x*2");
  AddUserFunction(context, "conv", "x", "1.2.3");
  ExpectOutcomes(context, {
      {"f", {3}, kDeg, "6"},
      {"F", {3}, kDeg, "6"},
      {"f", {3, 4}, kDeg, "ERROR 13"},
      // A built-in name always wins.
      {"sin", {30}, kDeg, "0.5"},
      // A malformed literal in the defining expression.
      {"conv", {1}, kDeg, "ERROR 19"},
  });
}

TEST(UserFunctions, APrefixUserFunctionLiftsTheCountCheck) {
  EngineContext context;
  ExpectOutcomes(context, {{"sin", {1, 2}, kDeg, "ERROR 13"}});
  AddUserFunction(context, "s", "x", "x*2");
  ExpectOutcomes(context, {
      {"sin", {1, 2}, kDeg, "0.0174524064372835"},
      {"hypot", {3}, kDeg, "ERROR 13"},
  });
}

TEST(UserFunctions, AnUnknownNameIsReportedAsAnOtherFailure) {
  EngineContext context;
  TCalcResult result;
  EXPECT_EQ(CallFunction(context, "nosuchfunction", {1}, result), 0);
  EXPECT_EQ(result.dwStatusCode, status::kOtherFailure);
  EXPECT_EQ(result.dwMessage, "ERROR 20");
  EXPECT_NE(result.dwErrorMsg.find(": "), std::string::npos) << result.dwErrorMsg;
}

// ---- the record and the status flags ---------------------------------------------

TEST(CallFunction, InitialisesTheRecordButKeepsAnswersAndDetail) {
  EngineContext context;
  TCalcResult result;
  result.dwStatusCode = 14;
  result.dwSource = 5;
  result.dwAnswers = {1, 2};
  result.dwMessage = "old";
  result.dwErrorMsg = "detail";
  result.dwAddition = 9;
  EXPECT_EQ(CallFunction(context, "abs", {-4}, result), 4);
  EXPECT_EQ(result.dwStatusCode, status::kSuccess);
  EXPECT_EQ(result.dwSource, 0);
  EXPECT_EQ(result.dwAnswers, (TExtendeds{1, 2}));
  EXPECT_EQ(result.dwMessage, "");
  EXPECT_EQ(result.dwErrorMsg, "detail");
  EXPECT_EQ(result.dwAddition, 0);
}

TEST(CallFunction, StaleFlagsOfEarlierWorkAreNotBlamedOnAFunction) {
  EngineContext context;
  const auto leaveFlagsBehind = [] {
    volatile long double zero = 0;
    volatile long double huge = 1E4000L;
    volatile long double sink = 1 / zero;
    sink = zero / zero;
    sink = huge * huge;
    (void)sink;
    std::feraiseexcept(FE_DIVBYZERO | FE_OVERFLOW | FE_INVALID);
  };
  leaveFlagsBehind();
  ExpectOutcomes(context, {{"abs", {-4}, kDeg, "4"}});
  leaveFlagsBehind();
  ExpectOutcomes(context, {{"sum", {1, 2}, kDeg, "3"}});
  leaveFlagsBehind();
  EXPECT_EQ(PowerOf(2, 3), 8);
}

TEST(CallFunction, UnderflowAndInexactResultsStayQuiet) {
  EngineContext context;
  ExpectOutcomes(context, {
      {"exp", {-11400}, kDeg, "0"},
      {"squ", {1E-3000L}, kDeg, "0"},
      {"rcp", {3}, kDeg, "0.333333333333333"},
  });
}

}  // namespace
}  // namespace zc::testing
