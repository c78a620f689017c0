// The walk of the pair step. See pair_walk.h for the sum it computes.
#include "tuples/pair_walk.h"

#include "wheel/rough_arithmetic.h"

namespace roughpi {

std::int64_t pair_walk_sum_literal(std::int64_t m, std::int64_t v, std::int64_t s) {
  RoughWalk w = rough_walk_start(v);
  rough_walk_step(w);
  std::int64_t sum = 0;
  while (w.value <= s) {
    // b <= s gives b * b <= m, so the range [b, m / b] holds b itself.
    sum += count_rough_in_range(w.value, m / w.value) - 1;
    rough_walk_step(w);
  }
  return sum;
}

std::int64_t pair_walk_sum(std::int64_t m, std::int64_t v, std::int64_t s) {
  return pair_walk_sum_literal(m, v, s);
}

}  // namespace roughpi
