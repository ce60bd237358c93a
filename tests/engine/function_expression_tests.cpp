// Functions as the user meets them: typed into an expression line.
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "calc_expression.h"
#include "function_test_support.h"

namespace zc::testing {
namespace {

struct LineCase {
  std::string_view line;
  AngleMode mode;
  std::string_view message;  // dwMessage after the evaluation
};

void ExpectMessages(EngineContext& context, std::initializer_list<LineCase> rows) {
  for (const LineCase& row : rows) {
    context.angleMode = row.mode;
    NameValueList variables;
    TCalcResult result;
    CalcExpression(context, row.line, variables, result);
    EXPECT_EQ(result.dwMessage, row.message) << "line '" << row.line << "'";
  }
}

TEST(FunctionsInExpressions, ChainsSignsAndCase) {
  EngineContext context;
  ExpectMessages(context, {
      {"sin cos(30)", kDeg, "0.0151144191721904"},
      {"sin cos 0", kDeg, "0.0174524064372835"},
      {"squ sqr(16)", kDeg, "16"},
      {"sqr sum(9,16)", kDeg, "ERROR 13"},
      {"sqr(sum(9,16))", kDeg, "5"},
      {"SIN(30)", kDeg, "0.5"},
      {"Sin30", kDeg, "0.5"},
      {"sin-30", kDeg, "-0.5"},
      {"-sin30", kDeg, "-0.5"},
      {"2sin30", kDeg, "1"},
      {"sin30^2", kDeg, "0.25"},
      {"nPr(5,2)", kDeg, "20"},
      {"npr(5,2)", kDeg, "20"},
      {"asn 1", kRad, "1.5707963267949"},
      {"asn 1", kGrad, "100"},
      {"sin(30)", kRad, "-0.988031624092862"},
  });
}

TEST(FunctionsInExpressions, FaultsEndTheLineWithTheirCode) {
  EngineContext context;
  ExpectMessages(context, {
      {"tan 90", kDeg, "ERROR 15"},
      {"1+tan(90)*2", kDeg, "ERROR 15"},
      {"tan(-90)", kDeg, "3.98679762981171E19"},
      {"sin(1,2)", kDeg, "ERROR 13"},
      {"hypot(3)", kDeg, "ERROR 13"},
      {"hypot(3,4)", kDeg, "5"},
      {"weekday(2014,9)", kDeg, "ERROR 13"},
      {"weekday(2014,9,20)", kDeg, "0"},
      {"fact(1755)", kDeg, "ERROR 16"},
      {"exp(20000)", kDeg, "ERROR 16"},
      {"squ(1E3000)", kDeg, "ERROR 16"},
      {"ln(0)", kDeg, "ERROR 14"},
      {"csc 0", kDeg, "ERROR 14"},
      {"logN(1,5)", kDeg, "ERROR 14"},
      {"acsh 0", kDeg, "ERROR 15"},
      {"arcsec 0", kDeg, "INF"},
      {"trunc(1E19)", kDeg, "ERROR 15"},
  });
}

TEST(FunctionsInExpressions, PowerOperatorSharesThePowerRule) {
  EngineContext context;
  ExpectMessages(context, {
      {"0^0", kDeg, "1"},
      {"0^-1", kDeg, "ERROR 14"},
      {"0^0.5", kDeg, "0"},
      {"(-8)^(1/3)", kDeg, "ERROR 15"},
      {"(-8)^3", kDeg, "-512"},
      {"2^-2", kDeg, "0.25"},
      {"2^3^2", kDeg, "64"},
      {"10^5000", kDeg, "ERROR 16"},
  });
}

TEST(FunctionsInExpressions, UserFunctionsBesideBuiltinOnes) {
  EngineContext context;
  AddUserFunction(context, "s", "x", "x*2");
  AddUserFunction(context, "triple", "x", "x*3");
  AddUserFunction(context, "sin", "x", "x*2");
  AddUserFunction(context, "conv", "x", "1.2.3");
  ExpectMessages(context, {
      // s is a prefix of sin, so sin takes the extra argument unchecked.
      {"sin(1,2)", kDeg, "0.0174524064372835"},
      {"sin(30)", kDeg, "0.5"},
      {"triple(1/3)", kDeg, "0.999999999999999"},
      {"sqr triple 3", kDeg, "3"},
      {"conv(1)", kDeg, "ERROR 19"},
      {"triple(1,2)", kDeg, "ERROR 13"},
  });
}

}  // namespace
}  // namespace zc::testing
