// An example plugin library for ZeltaCalc library functions.
//
// Every procedure follows the one contract of this platform: it receives the
// number of arguments and the address of the first of that many
// consecutive long double values, and returns a long double. The calculator
// loads the library for each call and unloads it afterwards, so a procedure
// must not rely on state kept between calls.
#include <cstdint>

#define ZC_PLUGIN extern "C" __attribute__((visibility("default")))

// The sum of the squares of all arguments: sumsq(3, 4) = 25.
ZC_PLUGIN long double SumOfSquares(std::int32_t count, const long double* arguments) {
  long double sum = 0;
  for (std::int32_t i = 0; i < count; ++i) sum += arguments[i] * arguments[i];
  return sum;
}

// A polynomial by Horner's rule: the first argument is x, the others are the
// coefficients from the highest power down. poly(2, 1, 0, -1) = 2^2 - 1 = 3.
ZC_PLUGIN long double Polynomial(std::int32_t count, const long double* arguments) {
  if (count < 1) return 0;
  const long double x = arguments[0];
  long double value = 0;
  for (std::int32_t i = 1; i < count; ++i) value = value * x + arguments[i];
  return value;
}

// The number of arguments the calculator handed over.
ZC_PLUGIN long double ArgumentCount(std::int32_t count, const long double*) {
  return static_cast<long double>(count);
}
