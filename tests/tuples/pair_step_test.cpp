// The pair step through both ways in, from hand-worked states.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "tuples/pair_step.h"
#include "tuples/tuple_count.h"
#include "wheel/rough_arithmetic.h"

namespace roughpi {
namespace {

// Runs one pair step from a fresh total and returns what it added.
std::int64_t pair_step_by_bound(std::int64_t m, std::int64_t factor, std::int64_t multiplicity,
                                std::int64_t weight) {
  tuple_state = {-1, factor, multiplicity, weight, 0};  // bound must not be read
  count_last_pair(m);
  return tuple_state.total;
}

std::int64_t pair_step_from_state(std::int64_t bound, std::int64_t factor,
                                  std::int64_t multiplicity, std::int64_t weight) {
  tuple_state = {bound, factor, multiplicity, weight, 0};
  count_last_pair();
  return tuple_state.total;
}

TEST(PairStep, TwoFactorTuplesThroughSecondWayIn) {
  const struct {
    std::int64_t y, d2;
  } cases[] = {{529, 1},         {666, 1},           {667, 3},           {840, 5},
               {841, 6},         {960, 12},          {961, 13},          {1000, 15},
               {10000, 961},     {100000, 16047},    {1000000, 228269},  {10000000, 2955699},
               {1000000000000, 632304681176}};
  for (const auto& c : cases) {
    EXPECT_EQ(pair_step_by_bound(c.y, 23, 0, 2), c.d2) << "y = " << c.y;
  }
}

TEST(PairStep, ThreeFactorStatesThroughFirstWayIn) {
  EXPECT_EQ(pair_step_from_state(23000, 23, 1, 6), 28);  // D_3(23000)
  EXPECT_EQ(pair_step_from_state(26071, 29, 1, 6), 4);   // (29,29,31) x3 + (29,29,29)
}

TEST(PairStep, TotalAccumulatesOverSteps) {
  tuple_state = {0, 23, 0, 2, 0};
  count_last_pair(1000);
  EXPECT_EQ(tuple_state.total, 15);
  tuple_state.bound = 23000;
  tuple_state.factor = 23;
  tuple_state.multiplicity = 1;
  tuple_state.weight = 6;
  count_last_pair();
  EXPECT_EQ(tuple_state.total, 43);
}

// For y = 10^14 the walk crosses a period of the wheel (pair root 10^7 > M).
TEST(PairStepSlow, WalkAcrossAPeriodMatchesDirectSum) {
  const std::int64_t y = 100000000000000;
  std::int64_t direct = 0;
  RoughWalk w = rough_walk_start(23);
  for (; w.value <= 10000000; rough_walk_step(w)) direct += count_rough_in_range(23, y / w.value);
  const std::int64_t below_root = count_rough_in_range(23, 10000000);
  direct = 2 * direct - below_root * below_root;
  EXPECT_EQ(direct, 76700230060043);
  EXPECT_EQ(pair_step_by_bound(y, 23, 0, 2), direct);
}

bool is_prime(std::int64_t n) {
  if (n < 2) return false;
  for (std::int64_t d = 2; d * d <= n; ++d) {
    if (n % d == 0) return false;
  }
  return true;
}

// Above 2^52 the double root of r^2 - 1 can come out as r. For a rough prime
// r the only pair with product exactly r^2 is (r, r), so D_2(r^2) - D_2(r^2 - 1)
// must be 1; the double root would make it 2.
TEST(PairStepSlow, ExactPairRootBelowSquareOfRoughPrime) {
  std::int64_t r = 67108865;
  auto double_root = [](std::int64_t m) {
    return static_cast<std::int64_t>(std::sqrt(static_cast<double>(m)) + 1e-11);
  };
  while (!(is_prime(r) && double_root(r * r - 1) == r)) r += 2;
  const std::int64_t at_square = pair_step_by_bound(r * r, 23, 0, 2);
  const std::int64_t below = pair_step_by_bound(r * r - 1, 23, 0, 2);
  EXPECT_EQ(at_square - below, 1) << "r = " << r;
}

}  // namespace
}  // namespace roughpi
