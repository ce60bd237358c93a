#include "prime_math.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <stdexcept>

#include "number_text.h"

namespace zc {
namespace {

__extension__ typedef unsigned __int128 UInt128;

std::uint64_t MulMod(std::uint64_t a, std::uint64_t b, std::uint64_t m) {
  return static_cast<std::uint64_t>(static_cast<UInt128>(a) * b % m);
}

std::uint64_t PowMod(std::uint64_t base, std::uint64_t exponent, std::uint64_t m) {
  std::uint64_t result = 1 % m;
  base %= m;
  while (exponent != 0) {
    if (exponent & 1u) result = MulMod(result, base, m);
    base = MulMod(base, base, m);
    exponent >>= 1;
  }
  return result;
}

// One of Pollard's rho walks (Brent's variant); returns a divisor of a
// composite `n`, possibly n itself when the walk fails.
std::uint64_t RhoDivisor(std::uint64_t n, std::uint64_t increment) {
  auto step = [&](std::uint64_t x) { return (MulMod(x, x, n) + increment) % n; };
  std::uint64_t y = 2, x = 2, g = 1, product = 1, saved = 2;
  const std::uint64_t batch = 128;
  for (std::uint64_t length = 1; g == 1; length <<= 1) {
    x = y;
    for (std::uint64_t i = 0; i < length; ++i) y = step(y);
    for (std::uint64_t done = 0; done < length && g == 1; done += batch) {
      saved = y;
      for (std::uint64_t i = 0; i < std::min(batch, length - done); ++i) {
        y = step(y);
        product = MulMod(product, x > y ? x - y : y - x, n);
      }
      g = std::gcd(product, n);
    }
  }
  if (g == n) {
    // The batch overshot: retrace it one step at a time.
    do {
      saved = step(saved);
      g = std::gcd(x > saved ? x - saved : saved - x, n);
    } while (g == 1);
  }
  return g;
}

void CollectFactors(std::uint64_t n, std::vector<std::uint64_t>& factors) {
  if (n == 1) return;
  if (IsPrimeMillerRabin(n)) {
    factors.push_back(n);
    return;
  }
  for (std::uint64_t increment = 1;; ++increment) {
    const std::uint64_t divisor = RhoDivisor(n, increment);
    if (divisor != n) {
      CollectFactors(divisor, factors);
      CollectFactors(n / divisor, factors);
      return;
    }
  }
}

std::string FormatFactors(const std::vector<std::pair<std::uint64_t, int>>& factors) {
  std::string text;
  for (const auto& [prime, count] : factors) {
    if (!text.empty()) text += '*';
    text += IntegerText(prime);
    if (count > 1) {
      text += '^';
      text += IntegerText(count);
    }
  }
  return text;
}

// The primes up to kCachedDivisorBound, sieved once: every cached test
// walks a prefix of them, so sieving again on each test only repeats work.
const std::vector<std::uint32_t>& CachedDivisorPrimes() {
  static const std::vector<std::uint32_t> primes =
      PrimesUpTo(static_cast<std::uint32_t>(kCachedDivisorBound));
  return primes;
}

}  // namespace

std::uint64_t IntegerSqrt(std::uint64_t value) {
  std::uint64_t root = static_cast<std::uint64_t>(sqrtl(static_cast<long double>(value)));
  while (root > 0 && static_cast<UInt128>(root) * root > value) --root;
  while (static_cast<UInt128>(root + 1) * (root + 1) <= value) ++root;
  return root;
}

std::vector<std::uint32_t> PrimesUpTo(std::uint32_t limit) {
  std::vector<std::uint32_t> primes;
  if (limit < 2) return primes;
  // Odd numbers only: index i stands for 2i + 1.
  std::vector<bool> composite(limit / 2 + 1, false);
  primes.push_back(2);
  for (std::uint64_t i = 1; 2 * i + 1 <= limit; ++i) {
    if (composite[i]) continue;
    const std::uint64_t p = 2 * i + 1;
    primes.push_back(static_cast<std::uint32_t>(p));
    for (std::uint64_t multiple = p * p; multiple <= limit; multiple += 2 * p) {
      composite[multiple / 2] = true;
    }
  }
  return primes;
}

bool IsPrimeMillerRabin(std::uint64_t value) {
  if (value < 2) return false;
  static constexpr std::uint64_t kBases[] = {2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31, 37};
  for (std::uint64_t p : kBases) {
    if (value % p == 0) return value == p;
  }
  std::uint64_t odd = value - 1;
  int twos = 0;
  while ((odd & 1u) == 0) {
    odd >>= 1;
    ++twos;
  }
  for (std::uint64_t base : kBases) {
    std::uint64_t x = PowMod(base, odd, value);
    if (x == 1 || x == value - 1) continue;
    bool witness = true;
    for (int i = 1; i < twos && witness; ++i) {
      x = MulMod(x, x, value);
      if (x == value - 1) witness = false;
    }
    if (witness) return false;
  }
  return true;
}

std::vector<std::pair<std::uint64_t, int>> PrimeFactors(std::uint64_t value) {
  std::vector<std::uint64_t> factors;
  if (value < 2) return {};
  for (std::uint64_t p = 2; p < 1000 && p * p <= value; p += (p == 2 ? 1 : 2)) {
    while (value % p == 0) {
      factors.push_back(p);
      value /= p;
    }
  }
  CollectFactors(value, factors);
  std::sort(factors.begin(), factors.end());
  std::vector<std::pair<std::uint64_t, int>> counted;
  for (std::uint64_t factor : factors) {
    if (!counted.empty() && counted.back().first == factor) {
      ++counted.back().second;
    } else {
      counted.emplace_back(factor, 1);
    }
  }
  return counted;
}

bool IsPrime(std::int64_t value, PrimeCache& cache) {
  if (value < 2) return false;
  const std::uint64_t v = static_cast<std::uint64_t>(value);
  const std::uint64_t root = IntegerSqrt(v);
  if (root > static_cast<std::uint64_t>(kCachedDivisorBound)) return IsPrimeMillerRabin(v);

  std::vector<std::uint64_t> tried;
  bool prime = true;
  for (std::uint32_t p : CachedDivisorPrimes()) {
    if (p > root) break;
    tried.push_back(p);
    if (v % p == 0) {
      prime = false;
      break;
    }
  }
  cache.AddAscending(tried);
  return prime;
}

std::string Factorize(std::int64_t value, PrimeCache& cache) {
  if (value < 0) throw std::domain_error("negative value");
  std::uint64_t v = static_cast<std::uint64_t>(value);
  // The search bound is the square root rounded to the nearest integer; a
  // root of an integer is never exactly halfway between two integers.
  std::uint64_t bound = IntegerSqrt(v);
  if (v - bound * bound > bound) ++bound;
  if (bound > static_cast<std::uint64_t>(kCachedDivisorBound)) {
    return FormatFactors(PrimeFactors(v));
  }

  std::vector<std::pair<std::uint64_t, int>> factors;
  std::vector<std::uint64_t> tried;
  for (std::uint32_t p : CachedDivisorPrimes()) {
    if (p > bound) break;
    tried.push_back(p);
    int count = 0;
    while (v % p == 0) {
      v /= p;
      ++count;
    }
    if (count > 0) factors.emplace_back(p, count);
    if (v == 1) break;
  }
  if (v > 1) factors.emplace_back(v, 1);
  cache.AddAscending(tried);
  return FormatFactors(factors);
}

}  // namespace zc
