#include "console_session.h"

#include <gtest/gtest.h>

#include <sstream>

#include "calc_expression.h"
#include "console_options.h"

namespace zc {
namespace {

// Stands in for the engine: the line names the outcome to report.
void FakeEvaluate(EngineContext&, std::string_view line, NameValueList& variables, TCalcResult& result) {
  if (line == "bad literal") throw ConversionError("'1.2.3' は浮動小数点数ではありません");
  if (line == "assign then bad") {
    variables.push_back("a=1");
    throw ConversionError("'$123456789' は整数ではありません");
  }
  if (line == "list") {
    result.dwStatusCode = 1;
    result.dwMessage = "1";
    result.dwAnswers = {2, 3};
  } else if (line == "failure") {
    result.dwStatusCode = 20;
    result.dwMessage = "ERROR 20";
    result.dwErrorMsg = "EngineFault: broken";
  } else if (line == "()") {
    result.dwStatusCode = 0;
  } else {
    result.dwStatusCode = 1;
    result.dwMessage = "[" + std::string(line) + "]";
  }
  variables.push_back("ANS=" + std::string(line));
}

std::string FakeFormat(long double value) { return "v" + std::to_string(static_cast<int>(value)); }

struct Printed {
  std::string out;
  std::string err;
};

Printed RunLines(std::initializer_list<std::string_view> lines, NameValueList* variablesAfter = nullptr) {
  EngineContext context;
  std::ostringstream out;
  std::ostringstream err;
  ConsoleSession session(context, FakeEvaluate, FakeFormat, out, err);
  for (std::string_view line : lines) session.Run(line);
  if (variablesAfter != nullptr) *variablesAfter = session.Variables();
  return {out.str(), err.str()};
}

TEST(ConsoleSession, PrintsWhatTheLogShowsBelowTheTypedLine) {
  const struct {
    const char* label;
    std::string_view line;
    std::string out;
    std::string err;
  } cases[] = {
      {"value", "1+1", "  [1+1]\n", ""},
      {"line passed exactly as typed", " 2 ", "  [ 2 ]\n", ""},
      {"further answers as result text", "list", "  1\n  v2\n  v3\n", ""},
      {"error detail on its own line", "failure", "  ERROR 20\n  EngineFault: broken\n", ""},
      {"nothing evaluated still prints the blanks", "()", "  \n", ""},
      {"blank line prints nothing", "", "", ""},
      {"blanks and tabs print nothing", " \t ", "", ""},
      {"conversion failure goes to stderr alone", "bad literal", "",
       "'1.2.3' は浮動小数点数ではありません\n"},
  };
  for (const auto& c : cases) {
    const Printed printed = RunLines({c.line});
    EXPECT_EQ(printed.out, c.out) << c.label;
    EXPECT_EQ(printed.err, c.err) << c.label;
  }
}

TEST(ConsoleSession, VariablesLastTheWholeRunAndSurviveAFailure) {
  NameValueList variables;
  const Printed printed = RunLines({"x", "assign then bad", "", "y"}, &variables);
  EXPECT_EQ(printed.out, "  [x]\n  [y]\n");
  EXPECT_EQ(variables, (NameValueList{"ANS=x", "a=1", "ANS=y"}));
}

TEST(ParseConsoleOptions, AcceptsTheDocumentedCommandLine) {
  const struct {
    std::vector<const char*> args;
    AngleMode angle;
    std::optional<std::string> dataDir;
    std::vector<std::string> expressions;
  } cases[] = {
      {{}, AngleMode::Deg, std::nullopt, {}},
      {{"--angle", "rad"}, AngleMode::Rad, std::nullopt, {}},
      {{"--angle=grad"}, AngleMode::Grad, std::nullopt, {}},
      {{"--angle", "RAD", "--angle", "deg"}, AngleMode::Deg, std::nullopt, {}},
      {{"--data-dir", "/tmp/x"}, AngleMode::Deg, "/tmp/x", {}},
      {{"--data-dir=rel"}, AngleMode::Deg, "rel", {}},
      {{"-e", "1", "-e", "-3", "-e", "--angle"}, AngleMode::Deg, std::nullopt, {"1", "-3", "--angle"}},
      {{"-e", ""}, AngleMode::Deg, std::nullopt, {""}},
  };
  for (const auto& c : cases) {
    std::vector<const char*> argv{"zeltacalc-console"};
    argv.insert(argv.end(), c.args.begin(), c.args.end());
    const ConsoleOptionsResult parsed = ParseConsoleOptions(static_cast<int>(argv.size()), argv.data());
    EXPECT_EQ(parsed.error, "") << argv.size();
    EXPECT_EQ(parsed.options.angleMode, c.angle);
    EXPECT_EQ(parsed.options.dataDir, c.dataDir);
    EXPECT_EQ(parsed.options.expressions, c.expressions);
  }
}

TEST(ParseConsoleOptions, RejectsWhatItDoesNotKnow) {
  const std::vector<std::vector<const char*>> cases = {
      {"--angle"},        {"--angle", "degrees"}, {"--angle="},   {"-e"},
      {"--data-dir"},     {"--data-dir="},        {"1+1"},        {"--unknown"},
      {"-x"},             {"--angles=rad"},       {"-e1"},        {"--"},
  };
  for (const auto& args : cases) {
    std::vector<const char*> argv{"zeltacalc-console"};
    argv.insert(argv.end(), args.begin(), args.end());
    const ConsoleOptionsResult parsed = ParseConsoleOptions(static_cast<int>(argv.size()), argv.data());
    EXPECT_NE(parsed.error, "") << args.front();
  }
}

}  // namespace
}  // namespace zc
