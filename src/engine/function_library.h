// The function layer: the 53 built-in functions in one table, the angle
// conversion and the power rule shared with the '^' operator.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "calc_result.h"
#include "engine_context.h"

namespace zc {

struct TIntUnit;

// How many arguments a built-in takes.
enum class ArgumentRule : std::uint8_t { One, Two, Three, Any };

// What a built-in is computed from.
struct BuiltinCall {
  std::span<const long double> arguments;  // at least one; element 0 first
  AngleMode mode;
  RandomState& random;

  long double First() const { return arguments[0]; }
};

// Computes a built-in. Faults are thrown as EngineFault or left in the
// floating-point status flags.
using BuiltinProcedure = long double (*)(const BuiltinCall& call);

struct TBuiltinFunction {
  std::string_view name;  // spelled as the scanner passes it on
  ArgumentRule rule;
  BuiltinProcedure compute;
};

// The built-in that `text` begins with, ignoring ASCII case: the longest
// name, the first in the table on equal length; nullptr if none.
const TBuiltinFunction* MatchBuiltinFunction(std::string_view text);

// The built-in called exactly `name` in any ASCII letter case, or nullptr.
const TBuiltinFunction* FindBuiltinFunction(std::string_view name);

// Every built-in, in table order.
std::span<const TBuiltinFunction> BuiltinFunctions();

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
