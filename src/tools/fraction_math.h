// Reducing a fraction by the greatest common divisor of its two parts.
#pragma once

#include <cstdint>

namespace zc {

template <typename Integer>
struct TFraction {
  Integer numerator = 0;
  Integer denominator = 0;
  bool reduced = false;
};

// Divides numerator and denominator by their greatest common divisor n when
// there is one with 2 <= n <= |numerator| (with a denominator of 0 that is
// |numerator|). A reduced fraction carries its sign in the numerator: minus
// when exactly one part is negative, and the numerator becomes 0 when the
// denominator is 0. A fraction that cannot be reduced comes back unchanged,
// signs where they were typed. -2147483648 in either part does not overflow.
TFraction<std::int32_t> ReduceFraction(std::int32_t numerator, std::int32_t denominator);

// The same rule for the wider values of the quadratic tool's roots; both
// parts must lie above INT64_MIN.
TFraction<std::int64_t> ReduceFraction64(std::int64_t numerator, std::int64_t denominator);

}  // namespace zc
