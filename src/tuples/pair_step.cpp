// The pair step. With W the weight and R the multiplicity of v = factor, the
// number of orderings of a completed tuple relative to W depends only on which
// of b and c equal v:
//   b = c = v:      W / ((R + 1)(R + 2))   (one pair: v * v <= m)
//   b = v < c:      W / (R + 1)            (rough c in (v, m / v])
//   v < b = c:      W / 2                  (rough b in (v, s])
//   v < b < c:      W                      (the walk)
// Each quotient is a multinomial coefficient of k, so every division is exact.
// The pair root s = floor(sqrt(m)) is the exact integer root: the double root
// exceeds it just below squares from m = 67108865^2 - 1 on.
#include "tuples/pair_step.h"

#include "tuples/integer_root.h"
#include "tuples/pair_walk.h"
#include "wheel/compact_rank.h"
#include "wheel/rough_arithmetic.h"

namespace roughpi {

TupleCountState tuple_state;

void count_last_pair() { count_last_pair(tuple_state.bound / tuple_state.factor); }

void count_last_pair(std::int64_t m) {
  const std::int64_t v = tuple_state.factor;
  const std::int64_t r = tuple_state.multiplicity;
  const std::int64_t w = tuple_state.weight;
  const std::int64_t s = integer_sqrt(m);

  const std::int64_t t3 = w / ((r + 2) * (r + 1));
  if (current_walk_method() == WalkMethod::literal) {
    const std::int64_t t1 = (count_rough_in_range(v, m / v) - 1) * (w / (r + 1));
    const std::int64_t t2 = (count_rough_in_range(v, s) - 1) * (w / 2);
    tuple_state.total += t1 + t2 + t3;
    tuple_state.total += w * pair_walk_sum(m, v, s);
    return;
  }
  // The fast walks count through the compact rank, which stays in cache, and
  // so do the counts here (no misses in rough_prefix). The rough b in (v, s]
  // that T2 counts are exactly the walk's: the walk takes their number and
  // R(v) from here.
  const std::int64_t rank_v = compact_rank(v);
  const std::int64_t above_v = compact_rank(m / v + 1) - rank_v - 1;
  const std::int64_t up_to_root = compact_rank(s + 1) - rank_v - 1;
  tuple_state.total += above_v * (w / (r + 1)) + up_to_root * (w / 2) + t3;
  if (up_to_root > 0) tuple_state.total += w * pair_walk_sum(m, v, s, rank_v, up_to_root);
}

}  // namespace roughpi
