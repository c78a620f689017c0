// D_k(y): known values, the thresholds at 23^k, and an independent oracle
// (Dirichlet convolution over a sieve of rough numbers) on all small y.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "tuples/factor_levels.h"
#include "tuples/pair_step.h"
#include "tuples/tuple_count.h"

namespace roughpi {
namespace {

struct Case {
  std::int64_t y;
  std::int32_t k;
  std::int64_t expected;
};

void expect_counts(const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    EXPECT_EQ(count_rough_tuples(c.y, c.k), c.expected) << "D_" << c.k << "(" << c.y << ")";
  }
}

TEST(CountRoughTuples, ThresholdsAtPowersOf23) {
  expect_counts({{22, 1, 0},
                 {23, 1, 1},
                 {528, 2, 0},
                 {529, 2, 1},
                 {12166, 3, 0},
                 {12167, 3, 1},
                 {279840, 4, 0},
                 {279841, 4, 1},
                 {6436342, 5, 0},
                 {6436343, 5, 1},
                 {148035888, 6, 0},
                 {148035889, 6, 1},
                 {21914624432020320, 12, 0},
                 {21914624432020321, 12, 1},
                 {504036361936467382, 13, 0},
                 {504036361936467383, 13, 1}});
}

TEST(CountRoughTuples, SmallKnownValues) {
  expect_counts({{28, 1, 1},       {29, 1, 2},        {666, 2, 1},      {667, 2, 3},
                 {15341, 3, 4},    {352843, 4, 5},    {444889, 4, 15},  {450179, 4, 19},
                 {1000, 3, 0},     {0, 1, 0},         {1000, 0, 0}});
}

TEST(CountRoughTuples, AllLengthsAtMillionsAndBillion) {
  const std::vector<std::int64_t> d_1e6 = {171020, 228269, 65501, 571, 0};
  const std::vector<std::int64_t> d_7e6 = {1197168, 1995948, 883202, 67017, 1, 0};
  const std::vector<std::int64_t> d_1e9 = {171024022, 430258261, 367547701, 118381456,
                                           10193745,  29343,     0};
  for (std::size_t k = 0; k < d_1e6.size(); ++k) {
    EXPECT_EQ(count_rough_tuples(1000000, static_cast<std::int32_t>(k + 1)), d_1e6[k]);
  }
  for (std::size_t k = 0; k < d_7e6.size(); ++k) {
    EXPECT_EQ(count_rough_tuples(7000000, static_cast<std::int32_t>(k + 1)), d_7e6[k]);
  }
  for (std::size_t k = 0; k < d_1e9.size(); ++k) {
    EXPECT_EQ(count_rough_tuples(1000000000, static_cast<std::int32_t>(k + 1)), d_1e9[k]);
  }
}

TEST(CountRoughTuples, LengthsFrom14AreZeroForEveryBound) {
  for (std::int32_t k : {14, 15, 20, 63, 64, 1000, INT32_MAX}) {
    for (std::int64_t y : {std::int64_t{0}, std::int64_t{23}, std::int64_t{1000000000000000000},
                           INT64_MAX}) {
      EXPECT_EQ(count_rough_tuples(y, k), 0) << "k = " << k << ", y = " << y;
    }
  }
}

TEST(CountRoughTuples, LargeBoundsDeepLengths) {
  expect_counts({{1000000000000, 2, 632304681176},
                 {1000000000000000000, 11, 8387658148931},
                 {1000000000000000000, 13, 378},
                 {1000000000000000000, 14, 0}});
}

// Level limits taken as exact roots: the floating-point limit tries 29 at
// twelve factors just below 29^12 and gets 95295101 here.
TEST(CountRoughTuples, ExactLevelLimitBelowTwelfthPower) {
  expect_counts({{353814783205469040, 12, 95295178}});
}

TEST(CountRoughTuples, TwelveFactorsAtTenToTheEighteen) {
  expect_counts({{1000000000000000000, 12, 4949492743}});
}

// At 22859^3 the floating-point three-factor limit is 22858 and loses the
// tuple (22859, 22859, 22859).
TEST(CountRoughTuplesSlow, ExactLevelLimitAtCube) {
  const std::int64_t v = 22859;
  expect_counts({{v * v * v, 3, 13868746925684}});
  EXPECT_EQ(count_rough_tuples(v * v * v, 3) - count_rough_tuples(v * v * v - 1, 3), 1);
}

TEST(FactorLevels, DirectCalls) {
  tuple_state.total = 0;
  count_three_level(15341, 23, 6, 0);
  EXPECT_EQ(tuple_state.total, 4);
  tuple_state.total = 0;
  count_deep_level(444889, 23, 24, 0, 4);
  EXPECT_EQ(tuple_state.total, 15);
  tuple_state.total = 0;
  count_deep_level(279841, 23, 24, 0, 4);
  EXPECT_EQ(tuple_state.total, 1);
}

// Oracle: exact D_k(n) for every n <= limit by Dirichlet convolution with
// the indicator of rough numbers above 1 (decided by trial division).
class TupleOracle : public testing::Test {
 protected:
  static constexpr std::int64_t limit = 2000000;
  static constexpr int max_k = 5;  // 23^5 > limit: D_5 is 0 everywhere here
  static std::vector<std::vector<std::int64_t>> cumulative;

  static void SetUpTestSuite() {
    std::vector<char> rough(limit + 1, 0);
    std::vector<std::int64_t> roughs;
    for (std::int64_t n = 23; n <= limit; ++n) {
      bool ok = true;
      for (std::int64_t d = 2; d <= 19 && ok; ++d) ok = n % d != 0;
      rough[n] = ok;
      if (ok) roughs.push_back(n);
    }
    std::vector<std::int64_t> exact(limit + 1, 0), next(limit + 1);
    for (std::int64_t n : roughs) exact[n] = 1;
    cumulative.assign(max_k + 1, {});
    for (int k = 1; k <= max_k; ++k) {
      cumulative[k].assign(limit + 1, 0);
      for (std::int64_t n = 1; n <= limit; ++n) cumulative[k][n] = cumulative[k][n - 1] + exact[n];
      std::fill(next.begin(), next.end(), 0);
      for (std::int64_t a : roughs) {
        for (std::int64_t q = 1; q * a <= limit; ++q) next[q * a] += exact[q];
      }
      exact.swap(next);
    }
  }
};
std::vector<std::vector<std::int64_t>> TupleOracle::cumulative;

TEST_F(TupleOracle, EveryLengthAtManyBounds) {
  std::mt19937_64 rng(12345);
  std::vector<std::int64_t> ys;
  for (std::int64_t y = 0; y <= 30000; ++y) ys.push_back(y);
  for (int t = 0; t < 3000; ++t) ys.push_back(static_cast<std::int64_t>(rng() % (limit + 1)));
  for (std::int64_t v = 23; v * v <= limit; v += 2) {  // near squares and cubes
    for (std::int64_t p : {v * v, v * v * v}) {
      for (std::int64_t d = -1; d <= 1; ++d) {
        if (p + d <= limit) ys.push_back(p + d);
      }
    }
  }
  for (std::int64_t y : ys) {
    for (int k = 1; k <= max_k; ++k) {
      ASSERT_EQ(count_rough_tuples(y, k), cumulative[k][y]) << "D_" << k << "(" << y << ")";
    }
  }
}

}  // namespace
}  // namespace roughpi
