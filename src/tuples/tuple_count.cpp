// The tuple count entry. The early test y < 23^k both ends a root's k loop
// in the prime count and guarantees the levels' untested start values:
// the chain 23, 23, ..., 23 fits under y.
#include "tuples/tuple_count.h"

#include "tuples/factor_levels.h"
#include "tuples/pair_step.h"
#include "wheel/rough_arithmetic.h"

namespace roughpi {

const std::int64_t factorials[21] = {0,
                                     1,
                                     2,
                                     6,
                                     24,
                                     120,
                                     720,
                                     5040,
                                     40320,
                                     362880,
                                     3628800,
                                     39916800,
                                     479001600,
                                     6227020800,
                                     87178291200,
                                     1307674368000,
                                     20922789888000,
                                     355687428096000,
                                     6402373705728000,
                                     121645100408832000,
                                     2432902008176640000};

namespace {

// Largest k with 23^k <= 2^63 - 1.
constexpr std::int32_t max_tuple_length = 13;

// Whether y < 23^k, for any k >= 1, without forming a power above 2^63.
bool below_smallest_product(std::int64_t y, std::int32_t k) {
  if (k > max_tuple_length) return true;
  std::int64_t power = 1;
  for (std::int32_t e = 0; e < k; ++e) power *= first_rough_prime_value;
  return y < power;
}

}  // namespace

std::int64_t count_rough_tuples(std::int64_t y, std::int32_t k) {
  if (k < 1 || below_smallest_product(y, k)) return 0;  // no tuple length below 1
  tuple_state.total = 0;
  const std::int64_t first = first_rough_prime_value;
  if (k == 1) {
    tuple_state.total = count_rough_in_range(first, y);
  } else if (k == 2) {
    tuple_state.factor = first;
    tuple_state.multiplicity = 0;
    tuple_state.weight = 2;
    count_last_pair(y);
  } else if (k == 3) {
    count_three_level(y, first, 6, 0);
  } else {
    count_deep_level(y, first, factorials[k], 0, k);
  }
  return tuple_state.total;
}

}  // namespace roughpi
