// Exact integer roots at and next to perfect powers, across the whole
// signed 64-bit range.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>

#include "tuples/integer_root.h"

namespace roughpi {
namespace {

// v^j if it fits in a signed 64-bit integer, else -1.
std::int64_t checked_power(std::int64_t v, int j) {
  unsigned __int128 p = 1;
  for (int e = 0; e < j; ++e) {
    p *= static_cast<unsigned __int128>(v);
    if (p > static_cast<unsigned __int128>(INT64_MAX)) return -1;
  }
  return static_cast<std::int64_t>(p);
}

void expect_root_near_power(std::int64_t v, int j) {
  const std::int64_t p = checked_power(v, j);
  ASSERT_GE(p, 0);
  EXPECT_EQ(integer_root(p, j), v) << v << "^" << j;
  EXPECT_EQ(integer_root(p - 1, j), v - 1) << v << "^" << j << " - 1";
  if (p < INT64_MAX) {
    EXPECT_EQ(integer_root(p + 1, j), v) << v << "^" << j << " + 1";
  }
}

TEST(IntegerRoot, AtAndNextToPowers) {
  std::mt19937_64 rng(7);
  for (int j = 2; j <= 62; ++j) {
    // Largest base whose j-th power fits, by bisection.
    std::int64_t top = 1, above = 3037000500;  // 3037000500^2 > 2^63 - 1
    while (above - top > 1) {
      const std::int64_t mid = top + (above - top) / 2;
      (checked_power(mid, j) >= 0 ? top : above) = mid;
    }
    if (j == 2) {
      EXPECT_EQ(top, 3037000499);
    }
    for (std::int64_t v = 1; v <= std::min<std::int64_t>(top, 2000); ++v) expect_root_near_power(v, j);
    for (int t = 0; t < 2000 && top > 2000; ++t) {
      expect_root_near_power(2000 + static_cast<std::int64_t>(rng() % (top - 1999)), j);
    }
    for (std::int64_t v = std::max<std::int64_t>(1, top - 50); v <= top; ++v) expect_root_near_power(v, j);
    EXPECT_EQ(integer_root(INT64_MAX, j), top) << "j = " << j;
  }
}

TEST(IntegerRoot, SmallArguments) {
  for (int j = 1; j <= 63; ++j) {
    EXPECT_EQ(integer_root(0, j), 0);
    EXPECT_EQ(integer_root(1, j), 1);
  }
  EXPECT_EQ(integer_root(INT64_MAX, 1), INT64_MAX);
  EXPECT_EQ(integer_root(INT64_MAX, 63), 1);
  EXPECT_EQ(integer_sqrt(0), 0);
  EXPECT_EQ(integer_sqrt(INT64_MAX), 3037000499);
}

// Where the double-precision roots go wrong, the exact ones do not.
TEST(IntegerRoot, WhereFloatingPointFails) {
  const std::int64_t m = 4503599761588224;  // 67108865^2 - 1
  EXPECT_EQ(static_cast<std::int64_t>(std::sqrt(static_cast<double>(m)) + 1e-11), 67108865);
  EXPECT_EQ(integer_sqrt(m), 67108864);

  const std::int64_t v = 999983;
  for (std::int64_t d = 0; d <= 2000; ++d) {
    ASSERT_EQ(integer_root(v * v * v + d, 3), v) << "d = " << d;
  }
  EXPECT_EQ(integer_root(v * v * v - 1, 3), v - 1);

  // Level limits the counting relies on.
  EXPECT_EQ(integer_root(12167, 3), 23);
  EXPECT_EQ(integer_root(12166, 3), 22);
  EXPECT_EQ(integer_root(24389, 3), 29);
  EXPECT_EQ(integer_root(279841, 4), 23);
  EXPECT_EQ(integer_root(279840, 4), 22);
  const std::int64_t e18 = 1000000000000000000;
  EXPECT_EQ(integer_root(e18, 3), 1000000);  // the floating-point limit is 999999
  EXPECT_EQ(integer_root(e18, 4), 31622);
  EXPECT_EQ(integer_root(e18, 12), 31);
  EXPECT_EQ(integer_root(e18, 13), 24);
}

}  // namespace
}  // namespace roughpi
