// User functions of both kinds: expression functions and procedures in
// plugin libraries, including plugins that fault.
#include <gtest/gtest.h>

#include <unistd.h>

#include <string>
#include <vector>

#include "expression_test_support.h"
#include "user_function_call.h"

namespace zc {
namespace {

using testing::AddLibraryFunction;
using testing::AddUserFunction;

struct CallCase {
  const char* input;
  int status;
  const char* message;
  std::vector<long double> answers;
};

class UserFunctionTest : public ::testing::Test {
 protected:
  UserFunctionTest() {
    context_.constants = {"pi=3.14159265358979"};
    context_.appDir = ZC_TEST_BIN_DIR "/";
    context_.pluginHost.SetProgram(PluginHostProgramIn(ZC_TEST_BIN_DIR));
    AddUserFunction(context_, "f", "x", "x*2");
    AddUserFunction(context_, "g", "a,b", "a-b");
    AddUserFunction(context_, "h", "", "1");
    AddUserFunction(context_, "t", "x", "x*3");
    AddUserFunction(context_, "k", "x, y", "x+y");
    AddUserFunction(context_, "withans", "x", "ANS+x");
    AddUserFunction(context_, "pair", "x", "x,x*2");
    AddUserFunction(context_, "sin", "x", "99");
    AddUserFunction(context_, "sinx", "x", "x+100");
    AddUserFunction(context_, "twice", "x", "f(f(x))");
    AddUserFunction(context_, "usespi", "r", "pi*r^2");
    AddUserFunction(context_, "assigns", "x", "z=x*2");
    AddUserFunction(context_, "badliteral", "x", "x+1.2.3");
    AddUserFunction(context_, "forever", "x", "forever(x)+1");
    AddUserFunction(context_, "same", "x", "x");
    AddUserFunction(context_, "\xC3\xA9t\xC3\xA9", "x", "x+1");      // été
    AddUserFunction(context_, "\xC3\x89T\xC3\x89", "x", "x+2");      // ÉTÉ
    AddUserFunction(context_, "divzero", "x", "x/0");
    AddLibraryFunction(context_, "sumsq", "plugins/libzeltacalc_example.so", "SumOfSquares");
    AddLibraryFunction(context_, "poly", ZC_TEST_BIN_DIR "/plugins/libzeltacalc_example.so",
                       "Polynomial");
    AddLibraryFunction(context_, "argc", "plugins/libzeltacalc_example.so", "ArgumentCount");
    AddLibraryFunction(context_, "nolib", "plugins/libmissing.so", "SumOfSquares");
    AddLibraryFunction(context_, "noproc", "plugins/libzeltacalc_example.so", "Missing");
    AddLibraryFunction(context_, "nullread", "plugins/libzeltacalc_faulty.so", "ReadNull");
    AddLibraryFunction(context_, "intdiv", "plugins/libzeltacalc_faulty.so", "DivideByZero");
    AddLibraryFunction(context_, "illegal", "plugins/libzeltacalc_faulty.so",
                       "IllegalInstruction");
  }

  void ExpectCalls(const std::vector<CallCase>& cases) {
    for (const CallCase& c : cases) {
      NameValueList variables = {"ANS=5", "y=7"};
      const auto outcome = testing::Evaluate(context_, c.input, variables);
      EXPECT_EQ(outcome.thrown, "") << c.input;
      EXPECT_EQ(outcome.result.dwStatusCode, c.status) << c.input;
      EXPECT_EQ(outcome.result.dwMessage, c.message) << c.input;
      EXPECT_EQ(outcome.result.dwAnswers, TExtendeds(c.answers)) << c.input;
    }
  }

  EngineContext context_;
};

TEST_F(UserFunctionTest, ExpressionFunctions) {
  ExpectCalls({
      {"f(3)", 1, "6", {}},
      {"f 3", 1, "6", {}},
      {"F(3)", 1, "6", {}},
      {"f3", 1, "6", {}},
      {"f-3", 1, "-6", {}},
      {"f(3,4)", 13, "ERROR 13", {}},
      {"g(5,3)", 1, "2", {}},
      {"g(5)", 13, "ERROR 13", {}},
      {"h(1)", 13, "ERROR 13", {}},
      {"t(1/3)", 1, "0.999999999999999", {}},
      {"k(1,2)", 12, "ERROR 12", {}},
      {"withans(1)", 12, "ERROR 12", {}},
      {"pair(3)", 1, "3", {6}},
      {"pair(3)+1", 1, "4", {6}},
      {"1+pair(3), 9", 1, "4", {9, 6}},
      {"sum(f(1),5)", 1, "7", {}},
      {"sum(f(1),f(2))", 1, "6", {}},
      {"sum(5,f(1))", 1, "7", {}},
      {"f(1),5", 1, "2", {5}},
      {"f(1),5,f(2)", 1, "2", {5, 4}},
      {"pair(1),5", 1, "1", {5, 2}},
      {"max(f(1),f(2),f(3))", 1, "6", {}},
      {"sum(f(1),1/0)", 14, "ERROR 14", {}},
      {"divzero(1),5", 14, "ERROR 14", {}},
      {"g(f(2),1)", 1, "3", {}},
      {"sin(30)", 1, "0.5", {}},
      {"sinx(1)", 1, "101", {}},
      {"twice(3)", 1, "12", {}},
      {"usespi(1)", 1, "3.14159265358979", {}},
      {"assigns(4)", 1, "8", {}},
      {"badliteral(1)", 19, "ERROR 19", {}},
      {"divzero(1)", 14, "ERROR 14", {}},
      {"same(arcsec(0))", 19, "ERROR 19", {}},
      {"\xC3\xA9t\xC3\xA9(1)", 1, "2", {}},
      {"\xC3\x89T\xC3\x89(1)", 1, "3", {}},
  });
}

TEST_F(UserFunctionTest, AssignmentsInsideStayInTheBindings) {
  NameValueList variables = {"x=1"};
  const auto outcome = testing::Evaluate(context_, "assigns(4)", variables);
  EXPECT_EQ(outcome.result.dwMessage, "8");
  EXPECT_EQ(variables, (NameValueList{"x=1", "ANS=8"}));
}

TEST_F(UserFunctionTest, EndlessRecursionEndsAsError20) {
  const auto outcome = testing::Evaluate(context_, "forever(1)");
  EXPECT_EQ(outcome.result.dwStatusCode, 20);
  EXPECT_NE(outcome.result.dwErrorMsg.find("入れ子"), std::string::npos);
  EXPECT_EQ(context_.nestingDepth, 0);
  EXPECT_EQ(testing::Evaluate(context_, "f(2)").result.dwMessage, "4");
}

// u0 ... u(levels-1) each call the next one twice; the last is x itself:
// u_k(1) is 2^(levels-k) and takes 2^(levels-k+1)-1 evaluations.
void AddDoublingChain(EngineContext& context, int levels) {
  for (int i = 0; i < levels; ++i) {
    const std::string next = "u" + std::to_string(i + 1) + "(x)";
    AddUserFunction(context, "u" + std::to_string(i), "x", next + "+" + next);
  }
  AddUserFunction(context, "u" + std::to_string(levels), "x", "x");
}

struct BudgetCase {
  const char* input;
  int status;
  const char* message;
};

TEST(FunctionEvaluationBudget, CallsThatDoubleAtEveryLevelEndAsError20) {
  EngineContext context;
  AddDoublingChain(context, 30);
  AddUserFunction(context, "f", "x", "x*2");
  // Each line has a budget of its own, also after a line that ran out; a
  // line that ran away would hold up every case after it.
  const std::vector<BudgetCase> cases = {
      {"u10(1)", 20, "ERROR 20"},       // 2^21-1 evaluations
      {"u0(1)", 20, "ERROR 20"},        // 2^31-1
      {"2+u0(1), 5", 20, "ERROR 20"},
      {"u15(1)", 1, "32768"},           // 65535: well over half the budget
      {"u15(1)+u16(1)", 1, "49152"},    // 98302
      {"u15(1)+u15(1)", 20, "ERROR 20"},
      {"f(2)", 1, "4"},
  };
  for (const BudgetCase& c : cases) {
    const auto outcome = testing::Evaluate(context, c.input);
    ASSERT_EQ(outcome.result.dwStatusCode, c.status) << c.input;
    EXPECT_EQ(outcome.result.dwMessage, c.message) << c.input;
    if (c.status == 20) {
      EXPECT_NE(outcome.result.dwErrorMsg.find("呼び出しが多すぎます"), std::string::npos)
          << c.input;
    }
    EXPECT_EQ(context.nestingDepth, 0) << c.input;
  }
}

TEST_F(UserFunctionTest, LibraryFunctions) {
  ExpectCalls({
      {"sumsq(3,4)", 1, "25", {}},
      {"sumsq 3", 1, "9", {}},
      {"poly(2,1,0,-1)", 1, "3", {}},
      {"argc(1,2,3,4,5)", 1, "5", {}},
      {"2*sumsq(1,2)+1", 1, "11", {}},
      {"nolib(1)", 1, "0", {}},
      {"noproc(1)", 1, "0", {}},
  });
}

TEST_F(UserFunctionTest, FaultingPluginsAreReportedAndSurvived) {
  ExpectCalls({
      {"nullread(1)", 18, "ERROR 18", {}},
      {"intdiv(1)", 14, "ERROR 14", {}},
      {"illegal(1)", 20, "ERROR 20", {}},
      {"1+nullread(1)", 18, "ERROR 18", {}},
  });
  // Still working afterwards, and repeatedly.
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(testing::Evaluate(context_, "nullread(1)").result.dwStatusCode, 18);
    EXPECT_EQ(testing::Evaluate(context_, "sumsq(3,4)").result.dwMessage, "25");
  }
  NameValueList variables = {"v=nullread(2)"};
  EXPECT_EQ(testing::Evaluate(context_, "$v", variables).result.dwStatusCode, 18);
}

TEST_F(UserFunctionTest, RelativeLibraryPathsCountFromAppDir) {
  ASSERT_EQ(chdir("/"), 0);
  EXPECT_EQ(testing::Evaluate(context_, "sumsq(2)").result.dwMessage, "4");
}

struct FindCase {
  const char* text;
  bool exact;
  int index;
};

TEST(FindUserFunction, LongestPrefixOrExactNameIgnoringAsciiCase) {
  EngineContext context;
  AddUserFunction(context, "s", "", "");
  AddUserFunction(context, "sin", "", "");
  AddUserFunction(context, "SIN", "", "");
  AddUserFunction(context, "", "", "");
  AddUserFunction(context, "sinx", "", "");
  const std::vector<FindCase> cases = {
      {"sinxy", false, 4}, {"sine", false, 1}, {"Sin", false, 1}, {"sx", false, 0},
      {"x", false, -1},    {"", false, -1},    {"SIN", true, 1},  {"sinxy", true, -1},
      {"", true, 3},
  };
  for (const FindCase& c : cases) {
    EXPECT_EQ(FindUserFunction(c.text, context.userFunctions, c.exact), c.index)
        << c.text << " exact=" << c.exact;
  }
}

}  // namespace
}  // namespace zc
