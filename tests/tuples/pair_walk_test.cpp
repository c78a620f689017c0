// Every walk method against the literal walk: short walks at m up to 10^18
// (v near sqrt(m)), long walks across a period of the wheel, empty walks and
// every length 0..20 (the vector tails).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

#include "primes/prime_count.h"
#include "tuples/integer_root.h"
#include "tuples/pair_walk.h"
#include "wheel/rough_arithmetic.h"

namespace roughpi {
namespace {

using WalkFunction = std::int64_t (*)(std::int64_t, std::int64_t, std::int64_t);

struct Method {
  WalkMethod method;
  WalkFunction walk;
};

std::vector<Method> fast_methods() {
  std::vector<Method> methods;
  if (walk_method_available(WalkMethod::compact)) {
    methods.push_back({WalkMethod::compact, pair_walk_sum_compact});
  }
  if (walk_method_available(WalkMethod::avx512)) {
    methods.push_back({WalkMethod::avx512, pair_walk_sum_avx512});
  }
  return methods;
}

// The rough value k steps after v.
std::int64_t rough_after(std::int64_t v, int k) {
  RoughWalk w = rough_walk_start(v);
  for (int j = 0; j < k; ++j) rough_walk_step(w);
  return w.value;
}

// A rough value at or below x (x >= 1).
std::int64_t rough_at_or_below(std::int64_t x) {
  while (count_rough_in_range(x, x) == 0) --x;
  return x;
}

// A walk stopped at s <= floor(sqrt(m)); the full walk has s = floor(sqrt(m)).
void expect_same_walk(std::int64_t m, std::int64_t v, std::int64_t s) {
  const std::int64_t expected = pair_walk_sum_literal(m, v, s);
  for (const Method& method : fast_methods()) {
    ASSERT_EQ(method.walk(m, v, s), expected)
        << walk_method_name(method.method) << ": m = " << m << ", v = " << v << ", s = " << s;
  }
}

void expect_same_walk(std::int64_t m, std::int64_t v) { expect_same_walk(m, v, integer_sqrt(m)); }

TEST(PairWalk, ThisMachineHasAFastMethod) {
  // Both paths are tested here only if the CPU has them; say which ran.
  std::printf("walk methods tested: literal");
  for (const Method& method : fast_methods()) std::printf(" %s", walk_method_name(method.method));
  std::printf("; default %s\n", walk_method_name(best_walk_method()));
  EXPECT_EQ(current_walk_method(), best_walk_method());
}

TEST(PairWalk, EveryShortLengthAndEmptyWalks) {
  std::mt19937_64 rng(4242);
  for (int t = 0; t < 400; ++t) {
    const std::int64_t m = 529 + static_cast<std::int64_t>(rng() % 1000000000000000000);
    const std::int64_t s = integer_sqrt(m);
    // Start v so that exactly `length` rough values lie in (v, s] (or fewer
    // near the bottom).
    for (int length = 0; length <= 20; ++length) {
      std::int64_t v = rough_at_or_below(s);
      for (int j = 0; j < length && v > 23; ++j) v = rough_at_or_below(v - 1);
      if (v < 23) v = 23;
      expect_same_walk(m, v);
    }
  }
  expect_same_walk(529, 23);  // s = 23: empty
  expect_same_walk(840, 23);
  expect_same_walk(841, 23);
}

TEST(PairWalk, ShortWalksAtTheTop) {
  std::mt19937_64 rng(31337);
  for (int t = 0; t < 3000; ++t) {
    const std::int64_t m = 1000000000000000000 - static_cast<std::int64_t>(rng() % 1000000000000000);
    const std::int64_t s = integer_sqrt(m);
    const std::int64_t v = rough_at_or_below(s - static_cast<std::int64_t>(rng() % 3000));
    expect_same_walk(m, v);
  }
  // Quotients near 2^51, where the vector path hands over to integer
  // division; the walks are cut short at s to stay quick.
  for (std::int64_t m : {std::int64_t{1000000000000000000}, std::int64_t{999999999926999807},
                         INT64_MAX / 2}) {
    for (std::int64_t below : {0, 1, 7, 40}) {
      const std::int64_t v = rough_at_or_below((m >> 51) - below);
      expect_same_walk(m, v, v + 300);
    }
  }
  // Here (double)m rounds up, and a quotient estimate rounded to nearest
  // would be one too large at b = 1000003.
  const std::int64_t m = 999999999926999807;
  expect_same_walk(m, rough_at_or_below(1000003 - 1), 1000003 + 200);
}

// Quotients whose X = m / b + 1 sits on a multiple of M or of the rank
// table's 120-wide spans, or one off; the remainder m mod b at both ends.
TEST(PairWalk, QuotientsAtTableBoundaries) {
  std::mt19937_64 rng(5150);
  const std::int64_t M = wheel_modulus_value;
  for (int t = 0; t < 3000; ++t) {
    const std::int64_t b = rough_at_or_below(1000 + static_cast<std::int64_t>(rng() % 5000000));
    // m = (x - 1) b + rem must stay below 2^62, and m / b below 2^50.
    const std::int64_t limit = std::min(std::int64_t{1} << 50, (std::int64_t{1} << 62) / b);
    const auto periods = static_cast<std::int64_t>(rng() % static_cast<std::uint64_t>(limit / M - 1));
    std::int64_t x;
    switch (t % 3) {
      case 0:  // a whole number of periods
        x = M * (1 + periods);
        break;
      case 1:  // a multiple of 120 inside a period
        x = M * periods + 120 * (1 + static_cast<std::int64_t>(rng() % 80829));
        break;
      default:  // anywhere
        x = static_cast<std::int64_t>(rng() % static_cast<std::uint64_t>(limit));
        break;
    }
    x += static_cast<std::int64_t>(rng() % 3) - 1;
    if (x <= b) continue;
    for (std::int64_t rem : {std::int64_t{0}, b - 1, static_cast<std::int64_t>(rng() % b)}) {
      const std::int64_t m = (x - 1) * b + rem;
      // Walks of one to three b, the first being b itself.
      expect_same_walk(m, rough_at_or_below(b - 1), b);
      expect_same_walk(m, rough_at_or_below(b - 1), b + 60);
    }
  }
}

TEST(PairWalk, LongWalksAcrossAPeriod) {
  // s a little above M: the walk passes the wrap gap at M - 1.
  for (std::int64_t s : {std::int64_t{9699700}, std::int64_t{9699691}, std::int64_t{9699720}}) {
    const std::int64_t m = s * s + 17;
    expect_same_walk(m, rough_at_or_below(9699600));
    expect_same_walk(m, rough_after(9699689, 0));
    expect_same_walk(m, rough_at_or_below(9699689 - 100));
  }
  expect_same_walk(100000000000000, 23);  // 10^14: s = 10^7 > M
}

TEST(PairWalkSlow, PrimeCountSameWithEveryMethod) {
  const WalkMethod saved = current_walk_method();
  for (std::int64_t x : {std::int64_t{1000000000}, std::int64_t{10000000000000},
                         std::int64_t{71021222453280}}) {
    ASSERT_TRUE(set_walk_method(WalkMethod::literal));
    const std::int64_t expected = count_primes(x);
    for (const Method& method : fast_methods()) {
      ASSERT_TRUE(set_walk_method(method.method));
      EXPECT_EQ(count_primes(x), expected) << walk_method_name(method.method) << ", x = " << x;
    }
  }
  set_walk_method(saved);
}

}  // namespace
}  // namespace roughpi
