// Primality tests and factorisation for the prime tool.
//
// While the square root of a number stays within kCachedDivisorBound, the
// answers come from trial division by the primes up to that root, and every
// prime tried on the way is remembered in the PrimeCache. Larger numbers are
// answered exactly by deterministic Miller-Rabin and Pollard's rho instead;
// they leave the cache untouched, so it never grows past the bound.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "prime_cache.h"

namespace zc {

// The prime tool accepts numbers below 2^62.
inline constexpr std::int64_t kPrimeInputLimit = std::int64_t{1} << 62;
// Largest square root for which the cache is used and filled.
inline constexpr std::int64_t kCachedDivisorBound = 10'000'000;

// The integer part of the square root.
std::uint64_t IntegerSqrt(std::uint64_t value);

// The primes from 2 up to `limit`, ascending.
std::vector<std::uint32_t> PrimesUpTo(std::uint32_t limit);

// Exact for every 64-bit value (Miller-Rabin with bases that are known to
// decide all of them).
bool IsPrimeMillerRabin(std::uint64_t value);

// Prime factors with their exponents, ascending. 0 and 1 have none.
std::vector<std::pair<std::uint64_t, int>> PrimeFactors(std::uint64_t value);

// Is `value` prime? 0 and 1 are not. The primes tried as divisors are added
// to `cache` (the value itself is not): all primes up to the first divisor
// found, or up to the square root.
bool IsPrime(std::int64_t value, PrimeCache& cache);

// The factor text of `value`: "2^3*3^2*5" for 360, "97" for 97, empty for 0
// and 1. Every prime tried up to the point where the value is used up (or
// up to its rounded square root) is added to `cache`. `value` must not be
// negative.
std::string Factorize(std::int64_t value, PrimeCache& cache);

}  // namespace zc
