// Variables, constants, ANS, assignment and $ expansion.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "expression_test_support.h"
#include "named_values.h"

namespace zc {
namespace {

struct NamedCase {
  NameValueList before;
  const char* input;
  int status;
  const char* message;
  NameValueList after;  // empty: not checked
};

class NamedValueTest : public ::testing::Test {
 protected:
  NamedValueTest() { context_.constants = {"pi=3.14159265358979", "e=2.71828182845905"}; }
  EngineContext context_;
};

TEST_F(NamedValueTest, ReadingAssigningAndExpanding) {
  const std::vector<NamedCase> cases = {
      {{}, "x=5", 1, "5", {"x=5", "ANS=5"}},
      {{"x=5", "ANS=5"}, "X*2", 1, "10", {"x=5", "ANS=10"}},
      {{"X=1"}, "x=2", 1, "2", {"x=2", "ANS=2"}},
      {{"a=2", "ab=3"}, "ab", 1, "3", {}},
      {{"a=2", "ab=3"}, "a ab", 1, "6", {}},
      {{"p=2", "i=3"}, "pi", 1, "6", {}},
      {{"p=2"}, "pi", 12, "ERROR 12", {"p=2"}},
      {{}, "pi", 1, "3.14159265358979", {}},
      {{}, "1e2", 1, "5.4365636569181", {}},
      {{"order=5"}, "order", 12, "ERROR 12", {}},
      {{"x=3"}, "2x^2", 1, "18", {}},
      {{"x=3"}, "2^3x", 1, "24", {}},
      {{"x=3"}, "sin 2x", 1, "0.104698490107503", {}},
      {{}, "1/3", 1, "0.333333333333333", {"ANS=0.333333333333333"}},
      {{"ANS=0.333333333333333"}, "ANS*3", 1, "0.999999999999999", {}},
      {{"f=x^2+1", "x=2"}, "$f", 1, "5", {"f=x^2+1", "x=2", "ANS=5"}},
      {{"f=x^2+1", "x=2"}, "f", 19, "ERROR 19", {"f=x^2+1", "x=2"}},
      {{"f=1,2"}, "$f", 1, "1", {}},
      {{"f=y=4"}, "$f+1", 1, "5", {"f=y=4", "y=4", "ANS=5"}},
      {{"f=1/0"}, "$f", 14, "ERROR 14", {}},
      {{"f=1.2.3"}, "$f", 20, "'1.2.3' は浮動小数点数ではありません", {}},
      {{"f=abc"}, "$f", 12, "ERROR 12", {}},
      {{"t=abc"}, "t=\"\"", 0, "", {}},
      {{}, "t=\"abc\"", 0, "abc", {"t=abc"}},
      {{}, " t = \" a b \" ", 0, " a b ", {" t = a b "}},
      {{}, "\"abc\"", 0, "abc", {"=abc"}},
      {{"ANS=7"}, "(5)+ANS", 1, "10", {"ANS=10"}},
      {{"ANS=7"}, "ANS+(5)", 1, "12", {"ANS=12"}},
      {{"ANS=1"}, "(5)+1/0", 14, "ERROR 14", {"ANS=5"}},
      {{}, "x = 3", 1, "3", {"x =3", "ANS=3"}},
      {{"x=9"}, "x = 3, x", 1, "3", {"x=9", "ANS=3", "x =3"}},
      {{}, "a==5", 1, "5", {"a=5", "ANS=5"}},
      {{}, "=5", 0, "", {}},
      {{"x=5"}, "x=1, y=x+1", 1, "1", {"x=1", " y=6", "ANS=1"}},
      {{"x=5"}, "x=1,y=x+1", 1, "1", {"x=1", "y=6", "ANS=1"}},
      {{"x=1"}, "x=1/0", 14, "ERROR 14", {"x=1"}},
      {{"x= 1.5 "}, "x", 1, "1.5", {}},
      {{"x=-2e3"}, "x", 1, "-2000", {}},
      {{"x=.5"}, "x", 1, "0.5", {}},
      {{"x=+1E+2"}, "x", 1, "100", {}},
      {{"x=inf"}, "x", 19, "ERROR 19", {}},
      {{"x=INF"}, "x", 19, "ERROR 19", {}},
      {{"x=nan"}, "x", 19, "ERROR 19", {}},
      {{"x=0x10"}, "x", 19, "ERROR 19", {}},
      {{"x=1,5"}, "x", 19, "ERROR 19", {}},
      {{"x="}, "x", 19, "ERROR 19", {}},
      {{"x=1E99999"}, "x", 19, "ERROR 19", {}},
      {{"noequals", "x=2"}, "x", 1, "2", {}},
      {{"", "x=2", ""}, "x=3", 1, "3", {"x=3", "ANS=3"}},
      {{"ä=2"}, "ä*3", 1, "6", {}},
  };
  for (const NamedCase& c : cases) {
    NameValueList variables = c.before;
    const auto outcome = testing::Evaluate(context_, c.input, variables);
    EXPECT_EQ(outcome.thrown, "") << c.input;
    EXPECT_EQ(outcome.result.dwStatusCode, c.status) << c.input;
    EXPECT_EQ(outcome.result.dwMessage, c.message) << c.input;
    if (!c.after.empty()) {
      EXPECT_EQ(variables, c.after) << c.input;
    }
  }
}

TEST_F(NamedValueTest, SelfExpandingTextEndsAsError20WithItsMessage) {
  for (const char* text : {"f=$f", "f=1+$f", "f=($f)"}) {
    NameValueList variables = {text};
    const auto outcome = testing::Evaluate(context_, "$f", variables);
    EXPECT_EQ(outcome.result.dwStatusCode, 20) << text;
    EXPECT_NE(outcome.result.dwMessage.find("入れ子"), std::string::npos) << text;
    EXPECT_EQ(context_.nestingDepth, 0);
  }
  // Two texts that expand each other.
  NameValueList variables = {"a=$b", "b=$a"};
  EXPECT_EQ(testing::Evaluate(context_, "$a", variables).result.dwStatusCode, 20);
}

// v0 = $v1+$v1, v1 = $v2+$v2, ... down to `levels`, which holds 1: $v0
// expands 2^levels copies of the last text.
NameValueList DoublingChain(int levels) {
  NameValueList variables;
  for (int i = 0; i < levels; ++i) {
    const std::string next = "$v" + std::to_string(i + 1);
    variables.push_back("v" + std::to_string(i) + "=" + next + "+" + next);
  }
  variables.push_back("v" + std::to_string(levels) + "=1");
  return variables;
}

TEST_F(NamedValueTest, ExpansionsThatDoubleAtEveryLevelEndAsError20) {
  NameValueList variables = DoublingChain(30);
  const auto outcome = testing::Evaluate(context_, "$v0", variables);
  EXPECT_EQ(outcome.result.dwStatusCode, 20);
  EXPECT_NE(outcome.result.dwMessage.find("展開が多すぎます"), std::string::npos);
  EXPECT_EQ(context_.nestingDepth, 0);
  // The next line has a budget of its own.
  EXPECT_EQ(testing::Evaluate(context_, "$v20", variables).result.dwMessage, "1024");
  EXPECT_EQ(testing::Evaluate(context_, "2*3", variables).result.dwMessage, "6");
}

TEST_F(NamedValueTest, HeavyButRealExpansionStaysWithinTheBudgetOfEachLine) {
  // 6000 expansions of a 99-character text: well over half the budget, in
  // each of two lines.
  std::string terms = "1";
  for (int i = 1; i < 50; ++i) terms += "+1";
  NameValueList variables = {"f=" + terms};
  std::string line = "$f";
  for (int i = 1; i < 6000; ++i) line += "+$f";
  for (int run = 0; run < 2; ++run) {
    EXPECT_EQ(testing::Evaluate(context_, line, variables).result.dwMessage, "300000") << run;
  }
  NameValueList chain = DoublingChain(10);
  EXPECT_EQ(testing::Evaluate(context_, "$v0", chain).result.dwMessage, "1024");
}

struct MatchCase {
  const char* text;
  int index;
  std::size_t length;
};

TEST(MatchNameInList, LongestNonEmptyNameFirstOnTies) {
  const NameValueList list = {"a=1", "AB=2", "ab=3", "=4", "abc", "x y=5"};
  const std::vector<MatchCase> cases = {
      {"abz", 1, 2}, {"a", 0, 1}, {"ABC", 1, 2}, {"x y", 5, 3}, {"x", -1, 0}, {"", -1, 0},
      {"=", -1, 0},
  };
  for (const MatchCase& c : cases) {
    std::size_t length = 99;
    EXPECT_EQ(MatchNameInList(c.text, list, length), c.index) << c.text;
    if (c.index >= 0) {
      EXPECT_EQ(length, c.length) << c.text;
    }
  }
}

struct WriteCase {
  NameValueList before;
  const char* name;
  const char* text;
  NameValueList after;
};

TEST(SetVariable, ReplacesAppendsDeletesAndDropsEmptyLines) {
  const std::vector<WriteCase> cases = {
      {{}, "x", "1", {"x=1"}},
      {{"X=1", "x=2"}, "x", "3", {"x=3", "x=2"}},
      {{"x=1", "y=2"}, "X", "", {"y=2"}},
      {{"y=2"}, "x", "", {"y=2"}},
      {{"", "a=1", ""}, "b", "2", {"a=1", "b=2"}},
      {{"junk", "a=1"}, "", "t", {"=t", "a=1"}},
  };
  for (const WriteCase& c : cases) {
    NameValueList list = c.before;
    SetVariable(c.name, c.text, list);
    EXPECT_EQ(list, c.after) << c.name << "=" << c.text;
  }
}

}  // namespace
}  // namespace zc
