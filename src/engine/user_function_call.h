// Calls of user-defined functions during an evaluation.
#pragma once

#include <string_view>

#include "calc_result.h"
#include "engine_context.h"

namespace zc {

// Exact mode: the first record whose name equals `text` (ASCII case folded).
// Prefix mode: the longest non-empty name that `text` starts with, the first
// in list order among equally long ones. Returns the index or -1.
int FindUserFunction(std::string_view text, const UserFunctionList& list, bool exact);

// Evaluates the user function `name` (an expression function through a
// nested CalcExpression, a library function through its plugin procedure).
// Called by CallFunction inside its fault handler; may throw EngineFault or
// ConversionError.
long double CallUserFunction(EngineContext& context, std::string_view name,
                             const TExtendeds& arguments, TCalcResult& result);

}  // namespace zc
