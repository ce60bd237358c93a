// Shared helpers of the expression tests.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "calc_expression.h"
#include "engine_context.h"

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

inline void AddUserFunction(EngineContext& context, const std::string& name,
                            const std::string& params, const std::string& sentence) {
  auto function = std::make_unique<TUserFunction>();
  function->aName = name;
  function->aParams = params;
  function->aSentence = sentence;
  context.userFunctions.push_back(std::move(function));
}

inline void AddLibraryFunction(EngineContext& context, const std::string& name,
                               const std::string& path, const std::string& procedure) {
  auto function = std::make_unique<TUserFunction>();
  function->aName = name;
  function->aRunType = 1;
  function->aDLLPath = path;
  function->aDLLProc = procedure;
  context.userFunctions.push_back(std::move(function));
}

}  // namespace zc::testing
