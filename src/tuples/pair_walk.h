// The walk of the pair step:
//   L(m, v) = sum over rough b with v < b <= s of (count_rough_in_range(b, m / b) - 1),
// where v is rough and s = floor(sqrt(m)). With R(X) = number of rough n < X
// each term is R(m/b + 1) - R(b) - 1, and the walked b are consecutive rough
// numbers, so R(b) runs up by one per step: the sum of R(b) over the walk is
// an arithmetic series and each b needs only the one rank R(m/b + 1).
//
// Three interchangeable methods give identical sums:
//   literal  - one 64-bit division and two reads of rough_prefix per b;
//   compact  - one division and one read of the 647 KB compact rank table;
//   avx512   - eight b at a time: quotients by double division rounded toward
//              zero plus one exact (FMA remainder) correction, ranks by gather
//              + popcount over the compact rank table.
// The fastest method the CPU supports is chosen at start-up.
#pragma once

#include <cstdint>

namespace roughpi {

enum class WalkMethod { literal, compact, avx512 };

bool walk_method_available(WalkMethod method);
WalkMethod best_walk_method();
const char* walk_method_name(WalkMethod method);

// The method the pair step uses. A method the CPU lacks is refused (false).
bool set_walk_method(WalkMethod method);
WalkMethod current_walk_method();

// L(m, v) with the current method; v rough, v >= 1, s = floor(sqrt(m)).
std::int64_t pair_walk_sum(std::int64_t m, std::int64_t v, std::int64_t s);

// The same, for a caller that already has R(v), the number of rough n < v, and
// the number of rough b in (v, s]: the fast walks then need no further rank.
std::int64_t pair_walk_sum(std::int64_t m, std::int64_t v, std::int64_t s, std::int64_t rank_v,
                           std::int64_t count);

std::int64_t pair_walk_sum_literal(std::int64_t m, std::int64_t v, std::int64_t s);
std::int64_t pair_walk_sum_compact(std::int64_t m, std::int64_t v, std::int64_t s);
// Only on a CPU with AVX-512 F, DQ, VBMI and VPOPCNTDQ.
std::int64_t pair_walk_sum_avx512(std::int64_t m, std::int64_t v, std::int64_t s);
std::int64_t pair_walk_sum_avx512(std::int64_t m, std::int64_t v, std::int64_t s,
                                  std::int64_t rank_v, std::int64_t count);

}  // namespace roughpi
