// Helpers of the function-layer tests: one call of a function, read back as
// the text the console would print ("0.5", "INF", "ERROR 15").
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "calc_expression.h"
#include "calc_result.h"
#include "engine_context.h"
#include "function_library.h"
#include "user_function_test_support.h"

namespace zc::testing {

inline constexpr AngleMode kDeg = AngleMode::Deg;
inline constexpr AngleMode kRad = AngleMode::Rad;
inline constexpr AngleMode kGrad = AngleMode::Grad;

struct FunctionCase {
  std::string_view name;
  std::vector<long double> arguments;
  AngleMode mode;
  std::string_view expected;  // result text, or "ERROR nn"
};

// The outcome of CallFunction as text. An error must also leave the value
// and dwSource at 0 and the message "ERROR nn".
inline std::string Outcome(EngineContext& context, const FunctionCase& row) {
  context.angleMode = row.mode;
  TCalcResult result;
  result.dwSource = 99;
  result.dwMessage = "stale";
  const long double value = CallFunction(context, row.name, row.arguments, result);
  if (result.dwStatusCode != status::kSuccess) {
    if (value != 0 || result.dwSource != 0) return "error with a value";
    return result.dwMessage;
  }
  // A user function hands back the message of its own evaluation.
  if (context.userFunctions.empty() && !result.dwMessage.empty()) return "message left behind";
  return ResultText(value);
}

inline std::string Describe(const FunctionCase& row) {
  std::string text(row.name);
  text += '(';
  for (std::size_t i = 0; i < row.arguments.size(); ++i) {
    if (i > 0) text += ',';
    text += ResultText(row.arguments[i]);
  }
  text += ") in mode ";
  text += std::to_string(static_cast<int>(row.mode));
  return text;
}

inline void ExpectOutcomes(EngineContext& context, const std::vector<FunctionCase>& rows) {
  for (const FunctionCase& row : rows) {
    EXPECT_EQ(Outcome(context, row), row.expected) << Describe(row);
  }
}

}  // namespace zc::testing
