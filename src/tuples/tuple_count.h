// D_k(y): the number of ordered k-tuples of rough integers above 1 (so each at
// least 23) whose product is at most y. Each non-decreasing tuple is visited
// once and weighted by its number of orderings, k! / (m_1! m_2! ...).
// k = 1 is one range count, k = 2 one pair step, k = 3 the three-factor level,
// k >= 4 the deep levels down to the three-factor level.
#pragma once

#include <cstdint>

namespace roughpi {

// k! for k = 1..20 (entry 0 is 0); 20! is the largest below 2^63.
extern const std::int64_t factorials[21];

// D_k(y) for y <= 10^18 (0 for k < 1). Returns 0 without touching anything when
// y < 23^k, which holds for every y once k >= 14 (23^14 > 2^63).
std::int64_t count_rough_tuples(std::int64_t y, std::int32_t k);

}  // namespace roughpi
