#include "whole_number_functions.h"

#include <cmath>

#include "arithmetic_checks.h"

namespace zc {

namespace {

constexpr long double kTwoTo63 = 9223372036854775808.0L;

}  // namespace

std::int64_t TruncToInt64(long double x) {
  if (!(std::fabs(x) < kTwoTo63)) ThrowInvalidOperation();
  return static_cast<std::int64_t>(x);
}

std::int64_t RoundToInt64(long double x) {
  // The default rounding mode is to nearest, ties to even.
  const long double rounded = std::nearbyint(x);
  if (!(rounded >= -kTwoTo63 && rounded < kTwoTo63)) ThrowInvalidOperation();
  return static_cast<std::int64_t>(rounded);
}

long double TruncFunction(long double x) { return static_cast<long double>(TruncToInt64(x)); }

long double RoundFunction(long double x) { return static_cast<long double>(RoundToInt64(x)); }

// ceil and floor step from the truncated value by one when a fraction is
// left. They work over the whole 64-bit range, so large values stay exact
// instead of wrapping around at 32 bits.
long double CeilFunction(long double x) {
  const std::int64_t whole = TruncToInt64(x);
  const long double result = static_cast<long double>(whole);
  return (x - result > 0) ? result + 1 : result;
}

long double FloorFunction(long double x) {
  const std::int64_t whole = TruncToInt64(x);
  const long double result = static_cast<long double>(whole);
  return (x - result < 0) ? result - 1 : result;
}

long double FracFunction(long double x) {
  if (std::isnan(x)) return x;
  // Every value of 2^63 or more is a whole number; infinities count as such.
  if (!(std::fabs(x) < kTwoTo63)) return 0;
  return x - std::trunc(x);
}

long double NotFunction(long double x) { return static_cast<long double>(~TruncToInt64(x)); }

}  // namespace zc
