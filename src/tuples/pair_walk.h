// The walk of the pair step:
//   L(m, v) = sum over rough b with v < b <= s of (count_rough_in_range(b, m / b) - 1),
// where v is rough and s = floor(sqrt(m)). Each b costs one quotient m / b
// and one range count.
#pragma once

#include <cstdint>

namespace roughpi {

// Walks the rough b after v up to and including s.
std::int64_t pair_walk_sum(std::int64_t m, std::int64_t v, std::int64_t s);

// The walk written as plainly as possible: one 64-bit division and two reads
// of rough_prefix per b. The reference for every faster walk.
std::int64_t pair_walk_sum_literal(std::int64_t m, std::int64_t v, std::int64_t s);

}  // namespace roughpi
