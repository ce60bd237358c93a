// Lines, groups, literals, operators and signs, through CalcExpression as
// the console uses it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "expression_test_support.h"

namespace zc {
namespace {

using testing::Evaluate;

struct MessageCase {
  const char* input;
  const char* message;  // dwMessage: the result text or "ERROR nn"
};

class EvaluationTest : public ::testing::Test {
 protected:
  void ExpectMessages(const std::vector<MessageCase>& cases) {
    for (const MessageCase& c : cases) {
      const auto outcome = Evaluate(context_, c.input);
      EXPECT_EQ(outcome.thrown, "") << c.input;
      EXPECT_EQ(outcome.result.dwMessage, c.message) << c.input;
    }
  }
  EngineContext context_;
};

TEST_F(EvaluationTest, PrecedencePassesAndSignRules) {
  ExpectMessages({
      {"2*-3", "-6"},          {"-2*-3", "6"},          {"1+2*-3", "-5"},
      {"2^-1", "0.5"},         {"2*-3*4", "-24"},       {"-2^2", "-4"},
      {"2-3^2", "-7"},         {"3*-2^2", "-12"},       {"2^3^2", "64"},
      {"8\\2*2", "2"},         {"7\\2", "3"},           {"-7\\2", "-3"},
      {"(-7)\\2", "-3"},       {"7 MOD -3", "1"},       {"-7 MOD 3", "-1"},
      {"7 MOD 4*2", "7"},      {"1+2 AND 3", "3"},      {"6 AND 3", "2"},
      {"6 OR 3", "7"},         {"6 XOR 3", "5"},        {"1 << 4", "16"},
      {"256 >> 4", "16"},      {"1.9 AND 1", "1"},      {"-1 AND 3", "-1"},
      {"-8>>1", "-4"},         {"3 AND -1", "3"},       {"(-1) AND 3", "3"},
      {"(-8) >> 1", "9.22337203685478E18"},              {"1 << 64", "1"},
      {"1 << 63", "-9.22337203685478E18"},               {"2^-2", "0.25"},
      {"-3", "-3"},            {"1-2-3", "-4"},         {"2*3+4*5", "26"},
      {"10/4/5", "0.5"},       {"2^10 MOD 1000", "24"}, {"3 XOR 1 OR 4", "6"},
      {"0^0", "1"},            {"0^0.5", "0"},          {"(-8)^3", "-512"},
      {"2^0.5", "1.4142135623731"},                     {"4^0.5*-1", "-2"},
  });
}

struct ExactCase {
  const char* input;
  int status;
  long double value;  // dwSource, compared exactly: result text keeps only 15 digits
};

constexpr long double kTwoTo63 = 9223372036854775808.0L;

// Shift counts are the low six bits of the truncated count; the bit
// operators work on the whole signed 64-bit pattern.
TEST_F(EvaluationTest, IntegerOperatorsAtTheirSixtyFourBitBoundaries) {
  const std::vector<ExactCase> cases = {
      {"1 << 31", 1, 2147483648.0L},
      {"1 << 32", 1, 4294967296.0L},
      {"1 << 33", 1, 8589934592.0L},
      {"1 << 62", 1, 4611686018427387904.0L},
      {"1 << 63", 1, -kTwoTo63},
      {"1 << 64", 1, 1},
      {"1 << 65", 1, 2},
      {"1 << 96", 1, 4294967296.0L},
      {"1 << 127", 1, -kTwoTo63},
      {"1 << 9223372036854775807", 1, -kTwoTo63},
      {"1 << -1", 1, -kTwoTo63},
      {"1 << -32", 1, 4294967296.0L},
      {"1 << -64", 1, 1},
      {"1 << 32.9", 1, 4294967296.0L},
      {"1 << -0.5", 1, 1},
      {"3 << 62", 1, -4611686018427387904.0L},
      {"9223372036854775807 << 1", 1, -2},
      {"(-9223372036854775808) << 1", 1, 0},
      {"2147483647 << 32", 1, 9223372032559808512.0L},
      {"(-1) >> 1", 1, 9223372036854775807.0L},
      {"(-1) >> 31", 1, 8589934591.0L},
      {"(-1) >> 32", 1, 4294967295.0L},
      {"(-1) >> 33", 1, 2147483647.0L},
      {"(-1) >> 63", 1, 1},
      {"(-1) >> 64", 1, -1},
      {"(-1) >> 96", 1, 4294967295.0L},
      {"(-1) >> -1", 1, 1},
      {"(-1) >> -33", 1, 8589934591.0L},
      {"4294967296 >> 31", 1, 2},
      {"4294967296 >> 32", 1, 1},
      {"4294967296 >> 33", 1, 0},
      {"(-9223372036854775808) >> 63", 1, 1},
      {"-9223372036854775807 >> 62", 1, -1},
      {"1 << 9.3E18", 15, 0},
      {"9.3E18 >> 1", 15, 0},
      {"(-9223372036854775809) >> 1", 15, 0},
      {"9223372036854775807 AND -1", 1, 9223372036854775807.0L},
      {"(-9223372036854775808) AND -1", 1, -kTwoTo63},
      {"(-9223372036854775808) AND 9223372036854775807", 1, 0},
      {"4294967296 AND 4294967295", 1, 0},
      {"8589934591 AND 4294967296", 1, 4294967296.0L},
      {"9223372036854775808 AND 1", 15, 0},
      {"(-9223372036854775809) AND 1", 15, 0},
      {"(-9223372036854775808) OR 0", 1, -kTwoTo63},
      {"9223372036854775807 OR (-9223372036854775808)", 1, -1},
      {"4294967296 OR 4294967295", 1, 8589934591.0L},
      {"2147483648 OR 1", 1, 2147483649.0L},
      {"0 OR 9223372036854775808", 15, 0},
      {"(-9223372036854775808) XOR -1", 1, 9223372036854775807.0L},
      {"9223372036854775807 XOR (-9223372036854775808)", 1, -1},
      {"4294967295 XOR 8589934591", 1, 4294967296.0L},
      {"1 XOR 9223372036854775808", 15, 0},
      {"1E20 \\ 1", 1, 1E20L},
      {"-9223372036854775808 \\ -1", 1, kTwoTo63},
      {"1E20 MOD 3E19", 1, 1E19L},
  };
  for (const ExactCase& c : cases) {
    const auto outcome = Evaluate(context_, c.input);
    EXPECT_EQ(outcome.result.dwStatusCode, c.status) << c.input;
    EXPECT_EQ(outcome.result.dwSource, c.value) << c.input;
  }
}

TEST_F(EvaluationTest, ArithmeticFaultsBecomeErrorCodes) {
  ExpectMessages({
      {"1/0", "ERROR 14"},           {"0/0", "ERROR 15"},          {"5\\0", "ERROR 14"},
      {"0\\0", "ERROR 15"},          {"5 MOD 0", "ERROR 14"},      {"0 MOD 0", "ERROR 15"},
      {"1E30 AND 1", "ERROR 15"},    {"1 OR 9.3E18", "ERROR 15"},  {"0^-1", "ERROR 14"},
      {"(-8)^(1/3)", "ERROR 15"},    {"1E4000*1E4000", "ERROR 16"},
      {"1E4932+1E4932", "ERROR 16"}, {"1E-4000/1E4000", "0"},      {"2+1/0*0", "ERROR 14"},
      {"-9223372036854775808 AND -1", "ERROR 15"},
      {"(-9223372036854775808) AND -1", "-9.22337203685478E18"},
  });
}

TEST_F(EvaluationTest, ScannerReadsOperatorsNamesAndSigns) {
  ExpectMessages({
      {"SIN30", "0.5"},  {"Sin 30", "0.5"},  {"sin(30)", "0.5"},  {"3mod2", "1"},
      {"3 MOD 2", "1"},  {"3 Mod 2", "1"},   {"2**3", "6"},       {"2*/4", "0.5"},
      {"3 4", "12"},     {"*3", "3"},        {"--3", "3"},        {"-+3", "-3"},
      {"sin-30", "-0.5"}, {"-sin30", "-0.5"}, {"2sin30", "1"},    {"2(3)", "6"},
      {"sin30^2", "0.25"}, {"sin(30)^2", "0.25"}, {"-(2)", "-2"}, {"sin-(30)", "-0.5"},
      {"3 # 4", "ERROR 12"}, {".5", "ERROR 12"}, {"1e5", "ERROR 12"}, {"0X1F", "ERROR 12"},
      {"2 3 +", "ERROR 10"}, {"sin", "ERROR 10"}, {"3+", "ERROR 10"}, {"2*", "ERROR 10"},
      {"sin(", "ERROR 11"}, {"$$3", "3"},       {"\t2\t*\t3", "6"},  {"2*$3", "6"},
  });
}

TEST_F(EvaluationTest, NumberLiterals) {
  ExpectMessages({
      {"0x1F", "31"},         {"0xff", "255"},        {"0xFFFFFFFF", "-1"},
      {"0x80000000", "-2147483648"},                  {"0x1.8", "1.5"},
      {"0x0.08", "0.03125"},  {"0x0.1", "0.0625"},    {"0x1..8", "1.5"},
      {"0x1.8.", "1.5"},      {"0x000000001F", "31"}, {"0xFFFFFFFF.8", "-0.5"},
      {"0x0.000000001", "1.45519152283669E-11"},       {"0x1G", "ERROR 12"},
      {"0b101", "5"},         {"0b112", "2"},         {"0b0000000001", "1"},
      {"0b11111111111111111111111111111111", "-1"},
      {"0b111111111111111111111111111111111", "0"},
      {"0b2", "ERROR 12"},           {"1E3+2", "1002"},      {"1.5E-3", "0.0015"},
      {"1E", "1"},            {"1E+", "1"},           {"1.", "1"},
      {"1.E2", "100"},        {"007", "7"},           {"1E-5000", "0"},
      {"123456789012345678901234567890", "1.23456789012346E29"},
      {"0.1", "0.1"},         {"2E 3", "6"},
  });
}

// The constants the calculator ships with, and two short variables that
// begin function names.
class ShippedNamesTest : public EvaluationTest {
 protected:
  ShippedNamesTest() {
    context_.constants = {"pi=3.14159265358979323846", "e=2.71828182845904523536",
                          "c=299792458", "h=6.62607015E-34", "qe=1.602176634E-19",
                          "k=1.380649E-23", "NA=6.02214076E23", "Kcd=683", "dvCs=9192631770"};
  }
  void ExpectMessagesWith(NameValueList variables, const std::vector<MessageCase>& cases) {
    for (const MessageCase& c : cases) {
      NameValueList list = variables;
      const auto outcome = testing::Evaluate(context_, c.input, list);
      EXPECT_EQ(outcome.thrown, "") << c.input;
      EXPECT_EQ(outcome.result.dwMessage, c.message) << c.input;
    }
  }
};

TEST_F(ShippedNamesTest, AFunctionNameAfterASignWinsOverANamedValue) {
  ExpectMessagesWith({"lo=5", "g=10"}, {
      {"2-exp(1)", "-0.718281828459045"},  {"-exp(1)", "-2.71828182845905"},
      {"2*-exp(1)", "-5.43656365691809"},  {"1-cos(60)", "0.5"},
      {"-cos(60)", "-0.5"},                {"-hypot(3,4)", "-5"},
      {"10-ceil(2.5)", "7"},               {"5-cub(2)", "-3"},
      {"+exp(0)", "1"},                    {"1-log(100)", "-1"},
      {"2 - exp(1)", "-0.718281828459045"}, {"2--exp(0)", "3"},
      {"-exp1", "-2.71828182845905"},      {"-sin cos 0", "-0.0174524064372835"},
      // Named values after a sign still read as before.
      {"-e", "-2.71828182845905"},         {"2-c", "-299792456"},
      {"-lo", "-5"},                       {"1-lo g", "-49"},
      {"-ex", "ERROR 12"},
  });
}

TEST_F(ShippedNamesTest, SignsAfterAFunctionNameNegateItsArgument) {
  ExpectMessagesWith({}, {
      {"abs -123", "123"},    {"10 + abs -123", "133"},  {"sqr -4", "ERROR 15"},
      {"sqr-4", "ERROR 15"},  {"cos -60", "0.5"},        {"2 abs -3", "6"},
      {"-sin 30", "-0.5"},    {"-sin -30", "0.5"},       {"abs - - 3", "3"},
      {"abs -(3)", "3"},      {"abs\t-3", "3"},         {"-abs -3", "-3"},
      {"abs + -3", "3"},      {"1-abs -3", "-2"},        {"sin - cos 0", "0.0174524064372835"},
      {"abs -3 - 1", "2"},    {"abs -e", "2.71828182845905"},
  });
}

// Signs collected right after a function name must not let a named value
// (the constants c, e, h; the variables lo and g) take the next name's place.
TEST_F(ShippedNamesTest, AFunctionNameAfterAnArgumentSignWinsOverANamedValue) {
  ExpectMessagesWith({"lo=5", "g=10"}, {
      {"sin-cos30", "0.0151144191721904"},   {"sin-cos(30)", "0.0151144191721904"},
      {"sin+cos30", "0.0151144191721904"},   {"sin--cos30", "0.0151144191721904"},
      {"abs-exp(1)", "2.71828182845905"},    {"abs-cos(0)", "1"},
      {"abs-cub(2)", "8"},                   {"abs-ceil(2.5)", "3"},
      {"abs+exp 0", "1"},                    {"abs-log(100)", "2"},
      {"sin-log(100)", "0.034899496702501"}, {"sqr+log(10000)", "2"},
      {"2*abs-log 100", "4"},                {"-abs-exp(1)", "-2.71828182845905"},
      {"abs-exp(1)-c", "-299792455.281718"},
      // abs receives both arguments, as in "abs hypot(3,4)".
      {"abs-hypot(3,4)", "ERROR 13"},
      // Without a function name there, the named value still reads.
      {"abs-e", "2.71828182845905"},         {"abs-lo g", "50"},
      {"abs-c", "299792458"},                {"abs-ex", "ERROR 12"},
  });
}

struct ThrowCase {
  const char* input;
  const char* thrown;
};

TEST_F(EvaluationTest, MalformedLiteralsLeaveAsConversionFailures) {
  const std::vector<ThrowCase> cases = {
      {"1.2.3", "'1.2.3' は浮動小数点数ではありません"},
      {"2+(3*1.2.3)", "'1.2.3' は浮動小数点数ではありません"},
      {"1, 1.2.3", "'1.2.3' は浮動小数点数ではありません"},
      {"1E5000", "'1E5000' は浮動小数点数ではありません"},
      {"0x123456789", "'$123456789' は整数ではありません"},
      {"0x1.123456789", "'$123456789' は整数ではありません"},
      {"0x1.1.23456789", "'$123456789' は整数ではありません"},
  };
  for (const ThrowCase& c : cases) {
    const auto outcome = Evaluate(context_, c.input);
    EXPECT_EQ(outcome.thrown, c.thrown) << c.input;
  }
}

struct LineCase {
  const char* input;
  int status;
  const char* message;
  std::vector<long double> answers;
};

TEST_F(EvaluationTest, LinesGroupsAndCommaLists) {
  const std::vector<LineCase> cases = {
      {"", 0, "", {}},
      {"   ", 0, "", {}},
      {"()", 0, "", {}},
      {"$ $", 0, "", {}},
      {"1, 2, 3", 1, "1", {2, 3}},
      {"1,2,", 1, "1", {2}},
      {"1,,2", 0, "", {}},
      {"1, 1/0", 14, "ERROR 14", {}},
      {"1/0, 2", 14, "ERROR 14", {}},
      {"(1+2", 11, "ERROR 11", {}},
      {"1+2)", 11, "ERROR 11", {}},
      {")(", 11, "ERROR 11", {}},
      {"(1/0", 11, "ERROR 11", {}},
      {"(1,2)", 1, "1", {}},
      {"(3)(4)", 1, "12", {}},
      {"2-(3)(4)", 1, "-10", {}},
      {"((((1+1))))", 1, "2", {}},
      {"sum(1,2,3), 4", 1, "6", {4}},
      {"(1, 2), 3", 1, "1", {3}},
      {"2*(3, 4)", 1, "6", {}},
      {"2 (3) 4", 1, "24", {}},
  };
  for (const LineCase& c : cases) {
    const auto outcome = Evaluate(context_, c.input);
    EXPECT_EQ(outcome.result.dwStatusCode, c.status) << c.input;
    EXPECT_EQ(outcome.result.dwMessage, c.message) << c.input;
    EXPECT_EQ(outcome.result.dwAnswers, TExtendeds(c.answers)) << c.input;
  }
}

struct SameValueCase {
  const char* input;
  const char* equivalent;
};

TEST_F(EvaluationTest, SpellingsThatMeanTheSame) {
  const std::vector<SameValueCase> cases = {
      {"sin-cos30", "sin(cos(30))"},  {"sin cos 30", "sin(cos(30))"},
      {"cos -30", "cos(-30)"},        {"2sin30", "2*sin(30)"},
      {"sin 2*3", "sin(2)*3"},        {"sqr sum(9,16)", "sqr(9,16)"},
      {"cos-(60)", "cos(-60)"},       {"sin--30", "sin(30)"},
  };
  for (const SameValueCase& c : cases) {
    const auto a = Evaluate(context_, c.input);
    const auto b = Evaluate(context_, c.equivalent);
    EXPECT_EQ(a.result.dwStatusCode, b.result.dwStatusCode) << c.input;
    EXPECT_EQ(a.result.dwMessage, b.result.dwMessage) << c.input;
  }
}

TEST_F(EvaluationTest, ResultsKeepTheFullPrecisionBetweenOperations) {
  const auto exact = Evaluate(context_, "0.1");
  EXPECT_EQ(exact.result.dwSource, 0.1L);
}

TEST_F(EvaluationTest, ParenthesesNestedThousandsDeepEndAsError20) {
  for (const std::size_t depth : {100000u, 300u}) {
    const std::string line = std::string(depth, '(') + "1" + std::string(depth, ')');
    const auto outcome = Evaluate(context_, line);
    EXPECT_EQ(outcome.result.dwStatusCode, 20) << depth;
    EXPECT_EQ(outcome.result.dwMessage, "ERROR 20");
    EXPECT_NE(outcome.result.dwErrorMsg.find("入れ子"), std::string::npos);
    EXPECT_EQ(context_.nestingDepth, 0);
  }
  const std::string fine = std::string(200, '(') + "7" + std::string(200, ')');
  EXPECT_EQ(Evaluate(context_, fine).result.dwMessage, "7");
}

TEST_F(EvaluationTest, ReusedRecordsStartFreshAtEveryLevel) {
  // A failing group leaves nothing behind for the next evaluation.
  NameValueList variables;
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(testing::Evaluate(context_, "(1/0)+1", variables).result.dwMessage, "ERROR 14");
    EXPECT_EQ(testing::Evaluate(context_, "(2)+(3),(4)", variables).result.dwMessage, "5");
    EXPECT_EQ(testing::Evaluate(context_, "(2)+(3),(4)", variables).result.dwAnswers, TExtendeds{4});
  }
}

}  // namespace
}  // namespace zc
