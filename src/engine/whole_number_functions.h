// Conversions of extended values to whole numbers: trunc, round, ceil,
// floor, frac and not, and the 64-bit conversions the other functions share.
#pragma once

#include <cstdint>

namespace zc {

// x truncated toward zero. |x| >= 2^63 (and NaN) is an invalid operation.
std::int64_t TruncToInt64(long double x);

// x rounded to the nearest integer, ties to the even neighbour. A result
// outside the signed 64-bit range is an invalid operation.
std::int64_t RoundToInt64(long double x);

long double TruncFunction(long double x);
long double RoundFunction(long double x);
long double CeilFunction(long double x);
long double FloorFunction(long double x);
long double FracFunction(long double x);
long double NotFunction(long double x);

}  // namespace zc
