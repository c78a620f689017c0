// The wheel tables against values worked out by hand and against their own
// defining properties (monotone prefix counts, mirror-symmetric gaps).
#include <gtest/gtest.h>

#include <cstdint>
#include <numeric>

#include "wheel/wheel_tables.h"

namespace roughpi {
namespace {

constexpr std::int32_t M = 9699690;
constexpr std::int32_t phi = 1658880;

TEST(WheelTables, Constants) {
  EXPECT_EQ(wheel.wheel_prime_count, 8);
  EXPECT_EQ(wheel.first_rough_prime, 23);
  EXPECT_EQ(wheel.wheel_modulus, M);
  EXPECT_EQ(wheel.wheel_residue_count, phi);
}

TEST(WheelTables, PrefixEntries) {
  const struct {
    std::int32_t r, expected;
  } cases[] = {{0, 0},       {1, 0},       {2, 1},        {22, 1},      {23, 1},
               {24, 2},      {29, 2},      {30, 3},       {100, 18},    {4849845, 829440},
               {M - 2, phi - 1}, {M - 1, phi - 1}, {M, phi}};
  for (const auto& c : cases) {
    EXPECT_EQ(wheel.rough_prefix[c.r], c.expected) << "r = " << c.r;
  }
}

// Neighbouring entries differ by exactly the roughness of the smaller number,
// decided here independently by gcd with M.
TEST(WheelTables, PrefixStepsAreRoughness) {
  for (std::int32_t r = 0; r < M; ++r) {
    const std::int32_t rough = (r != 0 && std::gcd(r, M) == 1) ? 1 : 0;
    ASSERT_EQ(wheel.rough_prefix[r + 1] - wheel.rough_prefix[r], rough) << "r = " << r;
  }
}

TEST(WheelTables, GapEntries) {
  const std::int32_t* g = wheel.rough_gaps;
  EXPECT_EQ(g[0], 22);
  EXPECT_EQ(g[1], 6);
  EXPECT_EQ(g[2], 2);
  EXPECT_EQ(g[3], 6);
  EXPECT_EQ(g[4], 4);
  EXPECT_EQ(g[phi - 3], 6);
  EXPECT_EQ(g[phi - 2], 22);
  EXPECT_EQ(g[phi - 1], 2);  // wrap gap

  std::int64_t sum = 0;
  std::int32_t largest = 0;
  bool seen[35] = {};
  for (std::int32_t i = 0; i < phi; ++i) {
    ASSERT_EQ(g[i] % 2, 0) << "i = " << i;
    ASSERT_GE(g[i], 2);
    ASSERT_LE(g[i], 34);
    seen[g[i]] = true;
    sum += g[i];
    if (g[i] > largest) largest = g[i];
    if (g[i] == 34) {
      EXPECT_TRUE(i == 10275 || i == 1648603) << "gap 34 at " << i;
    }
  }
  EXPECT_EQ(sum, M);
  EXPECT_EQ(largest, 34);
  EXPECT_EQ(g[10275], 34);
  EXPECT_EQ(g[1648603], 34);
  for (int v = 2; v <= 30; v += 2) EXPECT_TRUE(seen[v]) << "gap " << v << " missing";
  EXPECT_FALSE(seen[32]);
}

// r and M - r are rough together, so the gaps between rough residues read the
// same backwards.
TEST(WheelTables, GapsAreMirrorSymmetric) {
  const std::int32_t* g = wheel.rough_gaps;
  for (std::int32_t i = 0; i < phi - 1; ++i) {
    ASSERT_EQ(g[i], g[phi - 2 - i]) << "i = " << i;
  }
}

TEST(WheelTables, GapWalkFromOneVisitsExactlyTheRoughResidues) {
  std::int64_t v = 1;
  for (std::int32_t i = 0; i < phi; ++i) {
    const std::int64_t next = v + wheel.rough_gaps[i];
    for (std::int64_t n = v + 1; n < next && n <= M; ++n) {
      ASSERT_NE(std::gcd(n, std::int64_t{M}), 1) << "skipped rough " << n;
    }
    v = next;
    if (v <= M) {
      ASSERT_EQ(std::gcd(v, std::int64_t{M}), 1) << "visited " << v;
    }
  }
  EXPECT_EQ(v, M + 1);
}

TEST(WheelTables, SecondBuildChangesNothing) {
  const std::int32_t* prefix = wheel.rough_prefix;
  build_wheel_tables();
  EXPECT_EQ(wheel.rough_prefix, prefix);
  EXPECT_EQ(wheel.wheel_residue_count, phi);
}

}  // namespace
}  // namespace roughpi
