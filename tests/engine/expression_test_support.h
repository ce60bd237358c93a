// Shared helpers of the expression tests.
#pragma once

#include <string>

#include "calc_expression.h"
#include "engine_context.h"
#include "user_function_test_support.h"

namespace zc::testing {

struct Outcome {
  TCalcResult result;
  std::string thrown;  // the message of a ConversionError, if one left the call
};

inline Outcome Evaluate(EngineContext& context, const std::string& expression,
                   NameValueList& variables) {
  Outcome outcome;
  try {
    CalcExpression(context, expression, variables, outcome.result);
  } catch (const ConversionError& failure) {
    outcome.thrown = failure.what();
  }
  return outcome;
}

inline Outcome Evaluate(EngineContext& context, const std::string& expression) {
  NameValueList variables;
  return Evaluate(context, expression, variables);
}

}  // namespace zc::testing
