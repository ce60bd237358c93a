// Slope and definite integral of an expression in x, from samples of it:
// a forward difference for the slope, the trapezoid rule for the integral.
// The samples come from a callback, so the arithmetic here knows nothing of
// the engine or of the window that shows the results.
#pragma once

#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "calc_result.h"
#include "engine_context.h"

namespace zc {

// A calculation that cannot start; the message is ready for an error box.
class CalculusError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

inline constexpr const char* kNoIntegralRangeMessage = "積分する範囲がありません";

// The engine's result for the expression at x.
using Sampler = std::function<TCalcResult(long double x)>;

// Sets name=value in a variable list, replacing the first line whose name
// matches (ASCII letters without regard to case) or appending a new line.
void SetNameValue(NameValueList& list, std::string_view name, std::string_view value);

// A field's number: optional sign, digits with an optional decimal point,
// optional exponent ("+10e-10", "-.5", "3."); surrounding blanks are
// ignored. Throws CalculusError with "'<text>' は浮動小数点数ではありません".
long double ParseFieldNumber(std::string_view text);

// Multiplies by 10^decimals, rounds to the nearest integer (ties to even)
// and divides again, all in extended precision.
long double RoundDecimals(long double value, int decimals);

struct TSlope {
  long double slope = 0;      // m, rounded to 5 decimals
  long double intercept = 0;  // c = f(x0) - m*x0, rounded to 5 decimals
};

// (f(x0 + h) - f(x0)) / h. A failed sample counts as its value, 0.
// Throws CalculusError when h is 0.
TSlope ComputeSlope(const Sampler& sample, long double x0, long double h);

// "<m>x<+|-><|c|>", each number as result text: "6x-9", "-0.5x+3", "0x+0".
std::string TangentText(const TSlope& slope);

// The step of an integral from a to b: (b - a) * 0.0001 unless a manual
// step is given. Throws CalculusError when the range is empty (a and b
// equal within max(1e-16 * min(|a|, |b|), 1e-16)), or when a step could
// never reach b: a manual step of 0 or of the wrong sign, or one too small
// to move x at all.
long double IntegralStep(long double a, long double b, std::optional<long double> manualStep);

// Told the progress (0 to 100) after every strip; returning false stops the
// integration.
using StripCallback = std::function<bool(int progress)>;

// The trapezoid rule from x = a while x <= b, x advancing by repeated
// addition of h. The right end of a strip is the next strip's left end and
// is not sampled again when it succeeded. Returns the unrounded sum, or
// nothing when the callback stopped it.
std::optional<long double> IntegrateTrapezoid(const Sampler& sample, long double a, long double b,
                                              long double h, const StripCallback& onStrip);

}  // namespace zc
