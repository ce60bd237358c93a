// Combinatorial, statistical, practical and calendar functions. Each takes
// the argument list in call order; CallFunction has checked its length.
// Faults are thrown as EngineFault or left in the floating-point status
// flags for CallFunction to report.
#pragma once

#include <span>

namespace zc {

using Arguments = std::span<const long double>;

// The falling product n (n-1) ... (n-r+1) of the truncated arguments: 0
// when r > n; a negative n or r is an invalid operation.
long double Permutations(long double n, long double r);

long double NPrFunction(Arguments arguments);         // (n, r)
long double NCrFunction(Arguments arguments);         // (n, r)
long double FactFunction(Arguments arguments);        // (x)
long double SumFunction(Arguments arguments);
long double AverageFunction(Arguments arguments);
long double SumOfSquaresFunction(Arguments arguments);
long double VarianceFunction(Arguments arguments);   // not divided by the count
long double DeviationFunction(Arguments arguments);
long double MaxFunction(Arguments arguments);
long double MinFunction(Arguments arguments);
long double BmiFunction(Arguments arguments);        // (kg, meter)
long double RohrerFunction(Arguments arguments);     // (kg, meter)
long double TaxFunction(Arguments arguments);        // (x) with the built-in 8 %
long double TaxNFunction(Arguments arguments);       // (percent, x)
long double WeekdayFunction(Arguments arguments);    // (year, month, day): 0 Saturday .. 6 Friday

}  // namespace zc
