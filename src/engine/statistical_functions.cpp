#include "statistical_functions.h"

#include <cmath>
#include <cstdint>

#include "arithmetic_checks.h"
#include "function_library.h"
#include "whole_number_functions.h"

namespace zc {

namespace {

// Price factor of the built-in 8 % sales tax.
constexpr long double kTaxFactor = 1.08L;

// Months 3 to 14 span 2.6 days of the week each in Zeller's congruence.
constexpr long double kDaysPerMonthStep = 2.6L;

std::int64_t FloorDivide(std::int64_t value, std::int64_t divisor) {
  return value / divisor - ((value % divisor < 0) ? 1 : 0);
}

std::int64_t FloorModulo(std::int64_t value, std::int64_t divisor) {
  const std::int64_t remainder = value % divisor;
  return remainder < 0 ? remainder + divisor : remainder;
}

}  // namespace

long double Permutations(long double n, long double r) {
  const std::int64_t top = TruncToInt64(n);
  const std::int64_t count = TruncToInt64(r);
  // There is no arrangement of a negative number of things.
  if (top < 0 || count < 0) ThrowInvalidOperation();
  // More places than things: the falling product reaches its factor 0.
  if (count > top) return 0;
  // Every factor is distinct, so the product leaves the extended range
  // within about 1755 factors; it is checked at each step so that a count
  // of billions ends as quickly.
  long double product = 1;
  for (std::int64_t factor = top; factor > top - count; --factor) {
    product *= static_cast<long double>(factor);
    if (std::isinf(product)) ThrowOverflow();
  }
  return product;
}

long double NPrFunction(Arguments arguments) { return Permutations(arguments[0], arguments[1]); }

long double FactFunction(Arguments arguments) { return Permutations(arguments[0], arguments[0]); }

long double NCrFunction(Arguments arguments) {
  const long double n = arguments[0];
  const long double r = arguments[1];
  const long double nFactorial = Permutations(n, n);
  const long double rFactorial = Permutations(r, r);
  // The difference is taken before truncation, as the user wrote the pair.
  const long double d = Checked(n - r);
  const long double dFactorial = Permutations(d, d);
  return nFactorial / Checked(rFactorial * dFactorial);
}

long double SumFunction(Arguments arguments) {
  long double sum = 0;
  for (const long double x : arguments) sum += x;
  return sum;
}

long double AverageFunction(Arguments arguments) {
  return SumFunction(arguments) / static_cast<long double>(arguments.size());
}

// PowerOf clears the status flags for its own check, so each partial sum is
// checked before the next square is taken.
long double SumOfSquaresFunction(Arguments arguments) {
  long double sum = 0;
  for (const long double x : arguments) sum = Checked(sum + PowerOf(x, 2));
  return sum;
}

long double VarianceFunction(Arguments arguments) {
  const long double mean = Checked(AverageFunction(arguments));
  long double sum = 0;
  for (const long double x : arguments) {
    const long double deviation = Checked(x - mean);
    sum = Checked(sum + PowerOf(deviation, 2));
  }
  return sum;
}

long double DeviationFunction(Arguments arguments) {
  return std::sqrt(Checked(VarianceFunction(arguments)));
}

// max and min start from the first argument, so an infinite argument is
// returned as it is rather than clipped to the largest finite value.
long double MaxFunction(Arguments arguments) {
  long double largest = arguments[0];
  for (const long double x : arguments.subspan(1)) {
    if (x > largest) largest = x;
  }
  return largest;
}

long double MinFunction(Arguments arguments) {
  long double smallest = arguments[0];
  for (const long double x : arguments.subspan(1)) {
    if (x < smallest) smallest = x;
  }
  return smallest;
}

long double BmiFunction(Arguments arguments) {
  const long double kg = arguments[0];
  const long double meter = arguments[1];
  return kg / (meter * meter);
}

long double RohrerFunction(Arguments arguments) {
  const long double kg = arguments[0];
  const long double centimeter = Checked(arguments[1] * 100);
  const long double perCubicCentimeter = Checked(kg / PowerOf(centimeter, 3));
  return perCubicCentimeter * PowerOf(10, 7);
}

long double TaxFunction(Arguments arguments) { return arguments[0] * kTaxFactor; }

long double TaxNFunction(Arguments arguments) {
  const long double percent = arguments[0];
  const long double price = arguments[1];
  return (percent / 100 + 1) * price;
}

// Zeller's congruence for the Gregorian calendar, carried out modulo 7 term
// by term so that no year, month or day in the 64-bit range can overflow.
// Years before 1 follow the same calendar backwards (year 0 is 1 BC).
long double WeekdayFunction(Arguments arguments) {
  const std::int64_t year = RoundToInt64(arguments[0]);
  std::int64_t month = RoundToInt64(arguments[1]);
  const std::int64_t day = RoundToInt64(arguments[2]);

  std::int64_t century = FloorDivide(year, 100);
  std::int64_t yearInCentury = FloorModulo(year, 100);
  // January and February count as months 13 and 14 of the year before.
  if (month == 1 || month == 2) {
    month += 12;
    if (--yearInCentury < 0) {
      yearInCentury += 100;
      --century;
    }
  }

  const long double monthTerm =
      std::floor(kDaysPerMonthStep * (static_cast<long double>(month) + 1));
  const auto monthTermMod7 = static_cast<std::int64_t>(std::fmod(monthTerm, 7.0L));

  std::int64_t h = FloorModulo(monthTermMod7, 7);
  h += yearInCentury % 7;
  h += (yearInCentury / 4) % 7;
  h += FloorModulo(FloorDivide(century, 4), 7);
  h -= 2 * FloorModulo(century, 7);
  h += FloorModulo(day, 7);
  return static_cast<long double>(FloorModulo(h, 7));
}

}  // namespace zc
