// Quadratics with integer coefficients: expanding (ax + b)(cx + d),
// factorising Ax^2 + Bx + C back into two linear factors, and solving
// Ax^2 + Bx + C = 0 exactly. Coefficients are 32-bit; everything derived
// from them is computed wide enough that it never overflows.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "fraction_math.h"

namespace zc {

// A coefficient field's value: a 32-bit integer with an optional leading
// '+'. A lone "-" is -1 (the factorisation writes the coefficient -1 that
// way); anything else that is not an integer, the empty text included, is 1.
std::int32_t ReadCoefficient(std::string_view text);

// |value| != 1: "-7", "0", "7" or, with `showPlus`, "+7".
// |value| == 1 with `omitOne`: "-" and the empty text.
// |value| == 1 without it: "-1", and "1" or "+1".
std::string FormatCoefficient(std::int64_t value, bool showPlus, bool omitOne);

// sqrt(n) = factor * sqrt(rest). Only the square factors j*j up to the
// rounded 2*sqrt(n) are taken out, so 9 stays whole (factor 1, rest 9).
struct TRootParts {
  std::int64_t rest = 0;
  std::int64_t factor = 1;
};
TRootParts SimplifyRoot(std::int64_t n);

// A*x^2 + B*x + C from (a x + b)(c x + d), or nothing when one of them does
// not fit in 32 bits.
struct TQuadratic {
  std::int64_t a = 0;  // coefficient of x^2
  std::int64_t b = 0;  // coefficient of x
  std::int64_t c = 0;  // constant term
};
std::optional<TQuadratic> Expand(std::int32_t a, std::int32_t b, std::int32_t c, std::int32_t d);

// A x^2 + B x + C = (p x + s)(q x + t): the first quadruple of the search
// with p rising from -|A| to |A|, q falling from |A| to -|A|, s rising from
// -|C| to |C| and t falling from |C| to -|C|. Only divisors can match, so
// only divisors are visited, in that same order; any 32-bit coefficients
// are answered at once.
struct TLinearFactors {
  std::int64_t p = 0, q = 0, s = 0, t = 0;
};
std::optional<TLinearFactors> Factorise(std::int32_t a, std::int32_t b, std::int32_t c);

enum class RootKind { None, Double, Two };

// The roots of A x^2 + B x + C = 0 for A != 0: either two reduced fractions
// (rational) or the form (-B ± factor*sqrt(rest)) / 2A.
struct TQuadraticRoots {
  RootKind kind = RootKind::None;
  bool rational = false;
  TFraction<std::int64_t> root1, root2;  // when rational
  std::int64_t minusB = 0, factor = 0, rest = 0, twoA = 0;
};
// Throws std::overflow_error when the discriminant exceeds 64 bits; all
// three coefficients must be 32-bit values.
TQuadraticRoots SolveQuadratic(std::int64_t a, std::int64_t b, std::int64_t c);

// A rational root: the numerator alone when the denominator is 1 or less.
std::string RootText(const TFraction<std::int64_t>& root);
// "-3±1√5/2": -B, factor, rest and 2A.
std::string RadicalRootText(const TQuadraticRoots& roots);

}  // namespace zc
