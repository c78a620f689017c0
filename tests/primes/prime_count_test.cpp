// pi(x): known values, libprimecount as an independent oracle on hundreds of
// inputs (every small x, random x per decade, x at and next to perfect powers),
// and the exact summation on its own.
#include <gtest/gtest.h>
#include <primecount.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "primes/prime_count.h"
#include "tuples/integer_root.h"

namespace roughpi {
namespace {

TEST(CountPrimes, PowersOfTenAndPowersOf23) {
  const struct {
    std::int64_t x, pi;
  } cases[] = {{0, 0},
               {1, 0},
               {2, 1},
               {10, 4},
               {18, 7},
               {19, 8},
               {22, 8},
               {23, 9},
               {100, 25},
               {528, 99},
               {529, 99},
               {1000, 168},
               {10000, 1229},
               {12166, 1457},
               {12167, 1457},
               {100000, 9592},
               {279840, 24421},
               {279841, 24421},
               {1000000, 78498},
               {10000000, 664579},
               {100000000, 5761455},
               {1000000000, 50847534},
               {10000000000, 455052511},
               {100000000000, 4118054813},
               {1000000000000, 37607912018},
               {10000000000000, 346065536839}};
  for (const auto& c : cases) {
    EXPECT_EQ(count_primes(c.x), c.pi) << "x = " << c.x;
  }
  EXPECT_EQ(count_primes(-5), 0);
}

// Just below 2903^4 a floating-point fourth root of x is 2903 and the
// floating-point count comes out as 2301459365862.
TEST(CountPrimesSlow, BelowFourthPowerOfRoughPrime) {
  const std::int64_t x = 71021222453280;  // 2903^4 - 1
  EXPECT_EQ(count_primes(x), 2301459365860);
  EXPECT_EQ(count_primes(x), primecount_pi(x));
}

TEST(CountPrimesSlow, TenToTheFourteen) { EXPECT_EQ(count_primes(100000000000000), 3204941750802); }

std::vector<std::int64_t> oracle_inputs() {
  std::vector<std::int64_t> xs;
  for (std::int64_t x = 0; x <= 3000; ++x) xs.push_back(x);
  std::mt19937_64 rng(271828);
  for (int decade = 4; decade <= 12; ++decade) {
    const auto low = static_cast<std::int64_t>(std::pow(10.0, decade - 1));
    for (int t = 0; t < 25; ++t) xs.push_back(low + static_cast<std::int64_t>(rng() % (9 * low)));
  }
  // At and next to powers of rough numbers and of 23, where roots and
  // level limits change.
  const std::int64_t bases[] = {23, 29, 31, 37, 41, 43, 47, 101, 997, 1009, 2903, 9973};
  for (std::int64_t b : bases) {
    for (std::int64_t p = b * b; p <= 1000000000000; p *= b) {
      for (std::int64_t d = -1; d <= 1; ++d) xs.push_back(p + d);
      if (p > 1000000000000 / b) break;
    }
  }
  return xs;
}

TEST(CountPrimes, AgreesWithLibprimecount) {
  for (std::int64_t x : oracle_inputs()) {
    ASSERT_EQ(count_primes(x), primecount_pi(x)) << "x = " << x;
  }
}

// The tuple counts of pi(10^16) = 279238341033925, in the order the prime
// count forms them (root index, root, length, count). Summed in doubles they
// give 279238341033924; the exact sum must give the true count.
struct Term {
  std::int32_t i;
  std::int64_t y;
  std::int32_t k;
  std::int64_t d;
};
const Term terms_1e16[] = {
#include "terms_1e16.inc"
};

TEST(ExactLinnikSum, TenToTheSixteenFromGivenTupleCounts) {
  ExactLinnikSum exact;
  double floating = 8.0;
  for (const Term& t : terms_1e16) {
    ASSERT_EQ(t.y, integer_root(10000000000000000, t.i));
    add_linnik_term(exact, t.i, t.k, t.d);
    double term = (t.k % 2 == 1 ? 1.0 : -1.0) * static_cast<double>(t.d);
    term = term * mobius[t.i] / t.i / t.k;
    floating = term + floating;
  }
  std::int64_t rough_primes = 0;
  ASSERT_TRUE(linnik_sum_value(exact, rough_primes));
  EXPECT_EQ(8 + rough_primes, 279238341033925);
  EXPECT_EQ(static_cast<std::int64_t>(floating + 0.5), 279238341033924);  // why it must be exact
}

TEST(ExactLinnikSum, RejectsANonIntegerSum) {
  ExactLinnikSum sum;
  add_linnik_term(sum, 1, 1, 10);
  add_linnik_term(sum, 1, 2, 3);  // 10 - 3/2
  std::int64_t value = -1;
  EXPECT_FALSE(linnik_sum_value(sum, value));
  add_linnik_term(sum, 1, 2, 1);  // 10 - 4/2
  ASSERT_TRUE(linnik_sum_value(sum, value));
  EXPECT_EQ(value, 8);
}

TEST(ExactLinnikSum, MobiusTable) {
  // mu from the definition, by trial division.
  for (std::int32_t n = 1; n <= 66; ++n) {
    std::int32_t m = n, mu = 1;
    for (std::int32_t p = 2; p <= m; ++p) {
      if (m % p != 0) continue;
      m /= p;
      mu = (m % p == 0) ? 0 : -mu;
      while (m % p == 0) m /= p;
    }
    EXPECT_EQ(mobius[n], mu) << "n = " << n;
  }
  EXPECT_EQ(mobius[0], 0);
}

}  // namespace
}  // namespace roughpi
