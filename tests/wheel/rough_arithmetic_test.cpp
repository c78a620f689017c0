// Range counts and the rough walk: a table of hand-checked cases, then trial
// division by 2..19 as an independent oracle on random ranges, including
// ranges across period boundaries and at the top of the signed 64-bit range.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "wheel/rough_arithmetic.h"

namespace roughpi {
namespace {

constexpr std::int64_t M = 9699690;
constexpr std::int64_t phi = 1658880;
constexpr std::int64_t max_b = INT64_MAX - 1;  // b + 1 must not overflow

bool is_rough_by_division(std::int64_t n) {
  if (n < 1) return false;
  for (std::int64_t d = 2; d <= 19; ++d) {
    if (n % d == 0) return false;
  }
  return true;
}

std::int64_t brute_count(std::int64_t a, std::int64_t b) {
  std::int64_t c = 0;
  for (std::int64_t n = a; n <= b; ++n) c += is_rough_by_division(n);
  return c;
}

TEST(CountRoughInRange, KnownCases) {
  const struct {
    std::int64_t a, b, expected;
  } cases[] = {
      {23, 100, 17},
      {1, M, phi},
      {1, 2 * M, 2 * phi},
      {1, 1, 1},
      {1, 22, 1},
      {1, 23, 2},
      {2, 22, 0},
      {23, 23, 1},
      {24, 28, 0},
      // b = a - 1: empty
      {0, -1, 0},
      {23, 22, 0},
      {5, 4, 0},
      // reversed ranges are not clamped
      {23, 20, 0},
      {24, 22, -1},
      {30, 24, -1},
      {30, 20, -2},
      {100, 23, -16},
      // period boundaries
      {M, M, 0},
      {M + 1, M + 1, 1},
      {M - 1, M + 1, 2},
      // large
      {23, 1000000, 171020},
      {1, 1000000000000, 171024022417},
      {23, 1000000000000000000, 171024022417211271},
      {0, max_b, 1577418185993330764},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(count_rough_in_range(c.a, c.b), c.expected) << "(" << c.a << ", " << c.b << ")";
  }
}

TEST(CountRoughInRange, AgreesWithTrialDivisionOnRandomRanges) {
  std::mt19937_64 rng(20261211);
  std::vector<std::int64_t> starts;
  for (int i = 0; i < 300; ++i) starts.push_back(static_cast<std::int64_t>(rng() % 3000));
  for (int i = 0; i < 300; ++i) {  // straddling a period boundary
    const std::int64_t period = 1 + static_cast<std::int64_t>(rng() % 1000);
    starts.push_back(period * M - static_cast<std::int64_t>(rng() % 400));
  }
  for (int i = 0; i < 300; ++i) starts.push_back(static_cast<std::int64_t>(rng() >> 2));
  for (int i = 0; i < 100; ++i) starts.push_back(max_b - static_cast<std::int64_t>(rng() % 600));
  for (const std::int64_t a : starts) {
    const std::int64_t len = static_cast<std::int64_t>(rng() % 600);
    const std::int64_t b = (a > max_b - len) ? max_b : a + len;
    ASSERT_EQ(count_rough_in_range(a, b), brute_count(a, b)) << "(" << a << ", " << b << ")";
    ASSERT_EQ(count_rough_in_range(a, a - 1), 0) << "empty at " << a;
  }
}

TEST(RoughWalk, Indices) {
  EXPECT_EQ(rough_index(1), 0);
  EXPECT_EQ(rough_index(23), 1);
  EXPECT_EQ(rough_index(29), 2);
  EXPECT_EQ(rough_index(M - 1), phi - 1);
  EXPECT_EQ(rough_index(M + 1), 0);
}

std::vector<std::int64_t> walk(std::int64_t from, int steps) {
  RoughWalk w = rough_walk_start(from);
  std::vector<std::int64_t> seen;
  for (int s = 0; s < steps; ++s) {
    rough_walk_step(w);
    seen.push_back(w.value);
  }
  return seen;
}

TEST(RoughWalk, FirstSteps) {
  EXPECT_EQ(walk(1, 6), (std::vector<std::int64_t>{23, 29, 31, 37, 41, 43}));
  EXPECT_EQ(walk(23, 6), (std::vector<std::int64_t>{29, 31, 37, 41, 43, 47}));
}

TEST(RoughWalk, CrossesThePeriodBoundary) {
  RoughWalk w = rough_walk_start(M - 1);
  EXPECT_EQ(w.index, phi - 1);
  rough_walk_step(w);
  EXPECT_EQ(w.value, M + 1);
  EXPECT_EQ(w.index, 0);
  EXPECT_EQ(walk(M - 1, 4), (std::vector<std::int64_t>{M + 1, 9699713, 9699719, 9699721}));
}

TEST(RoughWalk, FullPeriodReturnsToSameIndex) {
  for (const std::int64_t start : {std::int64_t{1}, std::int64_t{23}, std::int64_t{4849843},
                                   M - 1, 1234567 * M + 9699667}) {
    RoughWalk w = rough_walk_start(start);
    const std::int32_t index = w.index;
    for (std::int64_t s = 0; s < phi; ++s) rough_walk_step(w);
    EXPECT_EQ(w.value, start + M) << "from " << start;
    EXPECT_EQ(w.index, index) << "from " << start;
  }
}

TEST(RoughWalk, VisitsEveryRoughNumberInOrder) {
  RoughWalk w = rough_walk_start(23);
  std::int64_t n = 23;
  for (int s = 0; s < 200000; ++s) {
    rough_walk_step(w);
    do ++n;
    while (!is_rough_by_division(n));
    ASSERT_EQ(w.value, n) << "step " << s;
    ASSERT_EQ(w.index, rough_index(w.value));
  }
  EXPECT_EQ(w.value, 1169429);
}

}  // namespace
}  // namespace roughpi
