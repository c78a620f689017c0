// The factor levels. The start value is tried without a comparison with the
// level limit: the caller has ensured a^j <= n (the entry's early test at the
// top; v <= limit one level up below that). Level limits are exact integer
// roots; a floating-point root tries v with v^j > n just below v^j, and
// misses v at and just above v^3 for large v.
#include "tuples/factor_levels.h"

#include "tuples/integer_root.h"
#include "tuples/pair_step.h"
#include "wheel/rough_arithmetic.h"

namespace roughpi {

void count_three_level(std::int64_t n, std::int64_t a, std::int64_t w, std::int64_t r) {
  const std::int64_t limit = integer_root(n, 3);
  RoughWalk walk = rough_walk_start(a);
  tuple_state.factor = a;
  tuple_state.bound = n;
  tuple_state.weight = w / (r + 1);
  tuple_state.multiplicity = r + 1;
  count_last_pair();
  rough_walk_step(walk);
  tuple_state.factor = walk.value;
  tuple_state.weight = w;
  tuple_state.multiplicity = 1;
  while (walk.value <= limit) {
    count_last_pair();
    rough_walk_step(walk);
    tuple_state.factor = walk.value;
  }
}

void count_deep_level(std::int64_t n, std::int64_t a, std::int64_t w, std::int64_t r,
                      std::int32_t j) {
  const std::int64_t limit = integer_root(n, j);
  RoughWalk walk = rough_walk_start(a);
  if (j == 4) {
    count_three_level(n / a, a, w / (r + 1), r + 1);
  } else {
    count_deep_level(n / a, a, w / (r + 1), r + 1, j - 1);
  }
  rough_walk_step(walk);
  while (walk.value <= limit) {
    const std::int64_t v = walk.value;
    if (j == 4) {
      count_three_level(n / v, v, w, 1);
    } else {
      count_deep_level(n / v, v, w, 1, j - 1);
    }
    rough_walk_step(walk);
  }
}

}  // namespace roughpi
