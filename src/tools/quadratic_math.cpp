#include "quadratic_math.h"

#include <cstdlib>
#include <limits>
#include <stdexcept>
#include <vector>

#include "number_text.h"

namespace zc {
namespace {

__extension__ typedef __int128 Int128;
__extension__ typedef unsigned __int128 UInt128;

std::uint64_t Magnitude(std::int64_t value) {
  return value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
}

UInt128 IntegerSqrt128(UInt128 value) {
  if (value < 2) return value;
  // Start above the root and descend (Newton's method on integers).
  UInt128 x = value;
  UInt128 y = (x + 1) / 2;
  while (y < x) {
    x = y;
    y = (x + value / x) / 2;
  }
  return x;
}

// The positive divisors of n > 0, ascending.
std::vector<std::int64_t> Divisors(std::uint64_t n) {
  std::vector<std::int64_t> small, large;
  for (std::uint64_t d = 1; d * d <= n; ++d) {
    if (n % d != 0) continue;
    small.push_back(static_cast<std::int64_t>(d));
    if (d != n / d) large.push_back(static_cast<std::int64_t>(n / d));
  }
  small.insert(small.end(), large.rbegin(), large.rend());
  return small;
}

// The divisors of n != 0 with both signs, ascending: -|n| ... -1, 1 ... |n|.
std::vector<std::int64_t> SignedDivisors(std::int64_t n) {
  const auto positive = Divisors(Magnitude(n));
  std::vector<std::int64_t> all;
  all.reserve(2 * positive.size());
  for (auto it = positive.rbegin(); it != positive.rend(); ++it) all.push_back(-*it);
  all.insert(all.end(), positive.begin(), positive.end());
  return all;
}

std::string Decimal(std::int64_t value) { return IntegerText(value); }

}  // namespace

std::int32_t ReadCoefficient(std::string_view text) {
  if (text == "-") return -1;
  return ReadInteger<std::int32_t>(text).ValueOr(1);
}

std::string FormatCoefficient(std::int64_t value, bool showPlus, bool omitOne) {
  if (value == 0) return "0";
  const std::string magnitude = IntegerText(Magnitude(value));
  if (magnitude == "1" && omitOne) return value < 0 ? "-" : "";
  if (value < 0) return "-" + magnitude;
  return showPlus ? "+" + magnitude : magnitude;
}

TRootParts SimplifyRoot(std::int64_t n) {
  TRootParts parts{n, 1};
  if (n < 1) return parts;
  // Candidates are the squares j*j up to m = round(2*sqrt(n)) = round(sqrt(4n)).
  const UInt128 four = static_cast<UInt128>(n) * 4;
  UInt128 m = IntegerSqrt128(four);
  if (four - m * m > m) ++m;
  for (std::int64_t j = 2; static_cast<UInt128>(j) * static_cast<UInt128>(j) <= m; ++j) {
    const std::int64_t square = j * j;
    while (parts.rest % square == 0) {
      parts.factor *= j;
      parts.rest /= square;
    }
  }
  return parts;
}

std::optional<TQuadratic> Expand(std::int32_t a, std::int32_t b, std::int32_t c, std::int32_t d) {
  const Int128 x2 = static_cast<Int128>(a) * c;
  const Int128 x1 = static_cast<Int128>(a) * d + static_cast<Int128>(b) * c;
  const Int128 x0 = static_cast<Int128>(b) * d;
  const auto fits = [](Int128 v) {
    return v >= std::numeric_limits<std::int32_t>::min() && v <= std::numeric_limits<std::int32_t>::max();
  };
  if (!fits(x2) || !fits(x1) || !fits(x0)) return std::nullopt;
  return TQuadratic{static_cast<std::int64_t>(x2), static_cast<std::int64_t>(x1),
                    static_cast<std::int64_t>(x0)};
}

std::optional<TLinearFactors> Factorise(std::int32_t a, std::int32_t b, std::int32_t c) {
  // With A = 0 only p = q = 0 is searched, and with C = 0 only s = t = 0;
  // otherwise p and s run over the divisors, and q and t follow from them.
  struct Pair {
    std::int64_t first, second;
  };
  const auto pairs = [](std::int32_t product) {
    std::vector<Pair> result;
    if (product == 0) return std::vector<Pair>{{0, 0}};
    for (std::int64_t d : SignedDivisors(product)) result.push_back({d, product / d});
    return result;
  };
  const std::vector<Pair> pq = pairs(a);
  const std::vector<Pair> st = pairs(c);
  // |p*t| and |q*s| are at most 2^62 each, as |p*q| and |s*t| are at most
  // 2^31, so the sum fits in 64 bits.
  for (const Pair& x : pq) {
    for (const Pair& y : st) {
      if (x.first * y.second + x.second * y.first == b) {
        return TLinearFactors{x.first, x.second, y.first, y.second};
      }
    }
  }
  return std::nullopt;
}

TQuadraticRoots SolveQuadratic(std::int64_t a, std::int64_t b, std::int64_t c) {
  TQuadraticRoots roots;
  const Int128 discriminant = static_cast<Int128>(b) * b - static_cast<Int128>(4) * a * c;
  if (discriminant < 0) return roots;
  if (discriminant > std::numeric_limits<std::int64_t>::max()) {
    throw std::overflow_error("discriminant beyond 64 bits");
  }
  roots.kind = discriminant == 0 ? RootKind::Double : RootKind::Two;
  TRootParts parts = SimplifyRoot(static_cast<std::int64_t>(discriminant));
  const auto restRoot = static_cast<std::int64_t>(IntegerSqrt128(static_cast<UInt128>(parts.rest)));
  if (restRoot * restRoot == parts.rest) {
    parts.factor *= restRoot;
    parts.rest = 1;
  }
  roots.minusB = -b;
  roots.factor = parts.factor;
  roots.rest = parts.rest;
  roots.twoA = 2 * a;
  if (parts.rest == 1) {
    roots.rational = true;
    roots.root1 = ReduceFraction64(roots.minusB + parts.factor, roots.twoA);
    roots.root2 = ReduceFraction64(roots.minusB - parts.factor, roots.twoA);
  }
  return roots;
}

std::string RootText(const TFraction<std::int64_t>& root) {
  if (root.denominator <= 1) return Decimal(root.numerator);
  return Decimal(root.numerator) + "/" + Decimal(root.denominator);
}

std::string RadicalRootText(const TQuadraticRoots& roots) {
  return Decimal(roots.minusB) + "±" + Decimal(roots.factor) + "√" + Decimal(roots.rest) + "/" +
         Decimal(roots.twoA);
}

}  // namespace zc
