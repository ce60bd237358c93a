// Calls of user-defined functions during an evaluation.
#pragma once

#include <cstddef>
#include <string_view>

#include "calc_result.h"
#include "engine_context.h"

namespace zc {

// Exact mode: the first record whose name equals `text` (ASCII case folded).
// Prefix mode: the longest non-empty name that `text` starts with, the first
// in list order among equally long ones. Returns the index or -1.
int FindUserFunction(std::string_view text, const UserFunctionList& list, bool exact);

// Evaluations of expression functions that one line may run, all nested
// calls together. A defining expression cannot branch, so real lines run a
// few hundred; functions that call the next one twice at every level would
// otherwise run for hours.
inline constexpr std::size_t kFunctionEvaluationBudget = 100000;

// Evaluates the user function `name` (an expression function through a
// nested CalcExpression, a library function through its plugin procedure).
// Called by CallFunction inside its fault handler; may throw EngineFault or
// ConversionError. An expression function past the line's budget throws
// EngineFault, which ends the line with error 20.
long double CallUserFunction(EngineContext& context, std::string_view name,
                             const TExtendeds& arguments, TCalcResult& result);

}  // namespace zc
