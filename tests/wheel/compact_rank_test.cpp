// The compact rank structure must agree with rough_prefix on every residue.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>

#include "wheel/compact_rank.h"
#include "wheel/rough_arithmetic.h"

namespace roughpi {
namespace {

TEST(CompactRank, AgreesWithPrefixTableOnEveryResidue) {
  // M itself too: the vector walk may reach a multiple of M as P - 1 periods
  // plus residue M.
  for (std::int64_t r = 0; r <= wheel_modulus_value; ++r) {
    ASSERT_EQ(compact_rank_of_residue(r), wheel.rough_prefix[r]) << "r = " << r;
  }
}

TEST(CompactRank, RangeCountsAcrossPeriods) {
  std::mt19937_64 rng(99);
  for (int t = 0; t < 100000; ++t) {
    const auto a = static_cast<std::int64_t>(rng() >> 4);
    const std::int64_t b = a + static_cast<std::int64_t>(rng() % 100000000);
    ASSERT_EQ(compact_rank(b + 1) - compact_rank(a), count_rough_in_range(a, b)) << a << ".." << b;
  }
  EXPECT_EQ(compact_rank(INT64_MAX - 1), count_rough_in_range(0, INT64_MAX - 2));
}

}  // namespace
}  // namespace roughpi
