#include "fraction_math.h"

#include <numeric>

namespace zc {
namespace {

std::uint64_t Magnitude(std::int64_t value) {
  return value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
}

}  // namespace

TFraction<std::int64_t> ReduceFraction64(std::int64_t numerator, std::int64_t denominator) {
  TFraction<std::int64_t> fraction{numerator, denominator, false};
  const std::uint64_t top = Magnitude(numerator);
  const std::uint64_t bottom = Magnitude(denominator);
  const std::uint64_t divisor = std::gcd(top, bottom);  // |numerator| when bottom is 0
  if (top < 2 || divisor < 2) return fraction;
  // The sign comes from the signs of the parts, never from their product,
  // which could overflow.
  const int sign = denominator == 0 ? 0 : ((numerator < 0) != (denominator < 0) ? -1 : 1);
  fraction.numerator = sign * static_cast<std::int64_t>(top / divisor);
  fraction.denominator = static_cast<std::int64_t>(bottom / divisor);
  fraction.reduced = true;
  return fraction;
}

TFraction<std::int32_t> ReduceFraction(std::int32_t numerator, std::int32_t denominator) {
  // Every reduced part is at most half of a 32-bit magnitude, so it fits.
  const auto wide = ReduceFraction64(numerator, denominator);
  return {static_cast<std::int32_t>(wide.numerator), static_cast<std::int32_t>(wide.denominator),
          wide.reduced};
}

}  // namespace zc
