// The function layer: the 53 built-in functions, the angle conversion and
// the power rule shared with the '^' operator.
#pragma once

#include <array>
#include <string_view>

#include "calc_result.h"
#include "engine_context.h"

namespace zc {

struct TIntUnit;

// The built-in names in table order. The scanner matches against the same
// table, ignoring letter case, longest match first.
inline constexpr std::array<std::string_view, 53> kBuiltinFunctionNames = {
    "sin",   "cos",    "tan",    "asn",    "acs",      "atn",       "nPr",  "nCr",  "fact",
    "ln",    "exp",    "log",    "logN",   "ten",      "rcp",       "sqr",  "cur",  "squ",
    "cub",   "ceil",   "floor",  "trunc",  "round",    "frac",      "sinh", "cosh", "tanh",
    "sec",   "csc",    "cot",    "asnh",   "acsh",     "atnh",      "arcsec", "arccsc", "arccot",
    "sign",  "abs",    "not",    "hypot",  "rnd",      "bmi",       "rohres", "tax",  "taxn",
    "sum",   "ave",    "sumsqu", "variance", "deviation", "max",    "min",  "weekday"};

// Applies the unit's pending function names (aFunction) from the last to the
// first. Returns false with the error in `result` when one fails.
bool ApplyFunctions(EngineContext& context, TIntUnit& unit, TCalcResult& result);

// Evaluates one function name over `arguments` (element 0 is the first).
// Returns the value, or 0 with the error code in result.dwStatusCode.
long double CallFunction(EngineContext& context, std::string_view name,
                         const TExtendeds& arguments, TCalcResult& result);

// Pure; any mode other than DEG, RAD, GRAD yields -1.
long double ConvertAngle(AngleMode from, AngleMode to, long double x);

// base raised to exponent. Throws EngineFault for division by zero (0 to a
// negative whole power), invalid operation and overflow.
long double PowerOf(long double base, long double exponent);

}  // namespace zc
