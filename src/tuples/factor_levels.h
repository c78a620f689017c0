// The factor levels place every factor of a non-decreasing tuple but the last
// two. A level with bound n and j factors still to place tries the rough v
// from its start value a upward while v <= floor(n^(1/j)) (v^j <= n: the
// smallest completion, j copies of v, still fits). Trying a again extends its
// run (multiplicity R + 1, weight W / (R + 1)); a larger value starts a run
// of its own (multiplicity 1, weight W). Bounds pass down as floor(n / v),
// which equals floor(y / product) since floor(floor(n/u)/v) = floor(n/(uv)).
// Cost: one integer root per call; one pair step (three-factor level) or one
// division and a call of the level below (deep level) per value tried.
#pragma once

#include <cstdint>

namespace roughpi {

// Three factors left: runs the pair step for each value it tries.
// Preconditions: a rough, a^3 <= n, W and R as described above.
void count_three_level(std::int64_t n, std::int64_t a, std::int64_t w, std::int64_t r);

// j >= 4 factors left: calls the level below for each value it tries.
void count_deep_level(std::int64_t n, std::int64_t a, std::int64_t w, std::int64_t r,
                      std::int32_t j);

}  // namespace roughpi
