#include "prime_math.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>

namespace zc {
namespace {

// The prime tool's trial division written out literally: every candidate
// divisor is looked up in the cache or tested recursively, and each prime
// found on the way is remembered.
struct LiteralPrimes {
  std::set<std::string> cache;

  bool IsPrime(std::int64_t v) {
    const auto r = static_cast<std::int64_t>(std::sqrt(static_cast<long double>(v)));
    for (std::int64_t d = 2; d <= r; ++d) {
      bool prime = cache.count(std::to_string(d)) != 0;
      if (!prime && IsPrime(d)) {
        cache.insert(std::to_string(d));
        prime = true;
      }
      if (prime && v % d == 0) return false;
    }
    return true;
  }

  std::string Factorize(std::int64_t v) {
    std::string s;
    const auto r = static_cast<std::int64_t>(std::nearbyint(std::sqrt(static_cast<long double>(v))));
    for (std::int64_t e = 2; e <= r; ++e) {
      if (cache.count(std::to_string(e)) || IsPrime(e)) {
        cache.insert(std::to_string(e));
        int k = 0;
        while (v % e == 0) v /= e, ++k;
        if (k == 1) s += "*" + std::to_string(e);
        if (k > 1) s += "*" + std::to_string(e) + "^" + std::to_string(k);
      }
      if (v == 1) break;
    }
    if (v > 1) s += "*" + std::to_string(v);
    return s.empty() ? s : s.substr(1);
  }
};

std::set<std::string> AsSet(const PrimeCache& cache) {
  const auto entries = cache.Entries();
  return {entries.begin(), entries.end()};
}

TEST(PrimeMath, IsPrimeAnswersAndFillsTheCacheLikeLiteralTrialDivision) {
  // One shared cache across a run of numbers, as in a session of the tool.
  LiteralPrimes literal;
  PrimeCache cache;
  for (std::int64_t v = 2; v <= 3000; v += (v < 400 ? 1 : 37)) {
    EXPECT_EQ(IsPrime(v, cache), literal.IsPrime(v)) << v;
    EXPECT_EQ(AsSet(cache), literal.cache) << v;
  }
}

TEST(PrimeMath, FactorizeMatchesLiteralTrialDivision) {
  LiteralPrimes literal;
  PrimeCache cache;
  for (std::int64_t v : {0, 1, 2, 3, 4, 6, 97, 360, 1024, 9973, 1001, 2 * 9973, 4096 * 3, 999}) {
    EXPECT_EQ(Factorize(v, cache), literal.Factorize(v)) << v;
    EXPECT_EQ(AsSet(cache), literal.cache) << v;
  }
}

TEST(PrimeMath, NinetyOneLeavesTheFirstFourPrimesInTheCache) {
  PrimeCache cache;
  EXPECT_FALSE(IsPrime(91, cache));
  EXPECT_EQ(cache.Entries(), (std::vector<std::string>{"2", "3", "5", "7"}));
}

TEST(PrimeMath, ZeroAndOneAreNotPrimes) {
  PrimeCache cache;
  EXPECT_FALSE(IsPrime(0, cache));
  EXPECT_FALSE(IsPrime(1, cache));
  EXPECT_TRUE(IsPrime(2, cache));
  EXPECT_TRUE(IsPrime(3, cache));
  EXPECT_EQ(cache.Count(), 0u);
}

TEST(PrimeMath, FactorTexts) {
  const struct {
    std::int64_t value;
    const char* text;
  } cases[] = {
      {0, ""},
      {1, ""},
      {2, "2"},
      {6, "2*3"},
      {97, "97"},
      {360, "2^3*3^2*5"},
      {1024, "2^10"},
      {9973, "9973"},
      {2147483647, "2147483647"},
      {4294967296, "2^32"},
      {999999999989, "999999999989"},
      // Above the cached range: Pollard's rho.
      {2305843009213693951, "2305843009213693951"},  // 2^61 - 1
      {4611686014132420609, "2147483647^2"},          // (2^31 - 1)^2
      {4611685975477714963, "2147483629*2147483647"},
      {4611686018427387903, "3*715827883*2147483647"},  // 2^62 - 1
      {3458764513820540928, "2^60*3"},
      {1000000000000000003, "1000000000000000003"},
      {999999999999999999, "3^4*7*11*13*19*37*52579*333667"},
  };
  for (const auto& c : cases) {
    PrimeCache cache;
    EXPECT_EQ(Factorize(c.value, cache), c.text) << c.value;
  }
}

TEST(PrimeMath, LargeNumbersAreAnsweredExactlyWithoutGrowingTheCache) {
  const struct {
    std::int64_t value;
    bool prime;
  } cases[] = {
      {2305843009213693951, true},   // 2^61 - 1
      {4611686018427387847, true},   // largest prime below 2^62
      {4611686018427387903, false},  // 2^62 - 1
      {4611686014132420609, false},  // a square of a prime
      {3825123056546413051, false},  // a strong pseudoprime to the first nine prime bases
  };
  for (const auto& c : cases) {
    if (c.value < 2) continue;
    PrimeCache cache;
    EXPECT_EQ(IsPrime(c.value, cache), c.prime) << c.value;
    EXPECT_EQ(cache.Count(), 0u) << c.value;
  }
}

TEST(PrimeMath, TheCacheStopsAtTheBound) {
  // A prime whose root lies just below the bound still uses the cache...
  PrimeCache cache;
  const std::int64_t prime = 99999999999973;  // root 9999999
  EXPECT_TRUE(IsPrime(prime, cache));
  EXPECT_EQ(cache.Count(), 664579u);  // the primes below 10^7
  // ...and a number beyond it leaves the cache as it was.
  EXPECT_TRUE(IsPrime(2305843009213693951, cache));
  EXPECT_EQ(Factorize(4611685975477714963, cache), "2147483629*2147483647");
  EXPECT_EQ(cache.Count(), 664579u);
}

TEST(PrimeMath, MillerRabinAgreesWithASieve) {
  const auto primes = PrimesUpTo(100000);
  std::set<std::uint64_t> known(primes.begin(), primes.end());
  for (std::uint64_t v = 0; v <= 100000; ++v) {
    ASSERT_EQ(IsPrimeMillerRabin(v), known.count(v) != 0) << v;
  }
  EXPECT_EQ(primes.size(), 9592u);
}

TEST(PrimeMath, IntegerSqrtAtSquareBoundaries) {
  for (std::uint64_t root : {0ull, 1ull, 2ull, 3037000499ull, 2147483647ull, 4294967295ull}) {
    EXPECT_EQ(IntegerSqrt(root * root), root);
    if (root > 0) {
      EXPECT_EQ(IntegerSqrt(root * root - 1), root - 1);
    }
  }
  EXPECT_EQ(IntegerSqrt(UINT64_MAX), 4294967295ull);
}

}  // namespace
}  // namespace zc
