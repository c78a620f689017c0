// The walk of the pair step (see pair_walk.h), its literal and scalar compact
// forms, and the choice of method.
#include "tuples/pair_walk.h"

#include "wheel/compact_rank.h"
#include "wheel/rough_arithmetic.h"

namespace roughpi {

namespace {

bool cpu_has_avx512_walk() {
#if defined(__x86_64__) && defined(__GNUC__)
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512dq") &&
         __builtin_cpu_supports("avx512vbmi") && __builtin_cpu_supports("avx512vpopcntdq");
#else
  return false;
#endif
}

bool cpu_has_popcnt() {
#if defined(__x86_64__) && defined(__GNUC__)
  __builtin_cpu_init();
  return __builtin_cpu_supports("popcnt");
#else
  return true;  // elsewhere the compiler's popcount is the native one
#endif
}

WalkMethod active_method = best_walk_method();

}  // namespace

bool walk_method_available(WalkMethod method) {
  switch (method) {
    case WalkMethod::literal:
      return true;
    case WalkMethod::compact:
      return cpu_has_popcnt();
    case WalkMethod::avx512:
      return cpu_has_avx512_walk();
  }
  return false;
}

WalkMethod best_walk_method() {
  if (walk_method_available(WalkMethod::avx512)) return WalkMethod::avx512;
  if (walk_method_available(WalkMethod::compact)) return WalkMethod::compact;
  return WalkMethod::literal;
}

const char* walk_method_name(WalkMethod method) {
  switch (method) {
    case WalkMethod::literal:
      return "literal";
    case WalkMethod::compact:
      return "compact";
    case WalkMethod::avx512:
      return "avx512";
  }
  return "unknown";
}

bool set_walk_method(WalkMethod method) {
  if (!walk_method_available(method)) return false;
  active_method = method;
  return true;
}

WalkMethod current_walk_method() { return active_method; }

std::int64_t pair_walk_sum(std::int64_t m, std::int64_t v, std::int64_t s) {
  switch (active_method) {
    case WalkMethod::avx512:
      return pair_walk_sum_avx512(m, v, s);
    case WalkMethod::compact:
      return pair_walk_sum_compact(m, v, s);
    case WalkMethod::literal:
      break;
  }
  return pair_walk_sum_literal(m, v, s);
}

std::int64_t pair_walk_sum(std::int64_t m, std::int64_t v, std::int64_t s, std::int64_t rank_v,
                           std::int64_t count) {
  if (active_method == WalkMethod::avx512) return pair_walk_sum_avx512(m, v, s, rank_v, count);
  return pair_walk_sum(m, v, s);
}

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

#if defined(__x86_64__) && defined(__GNUC__)
__attribute__((target("popcnt")))
#endif
std::int64_t pair_walk_sum_compact(std::int64_t m, std::int64_t v, std::int64_t s) {
  constexpr std::int64_t M = wheel_modulus_value;
  constexpr std::int64_t phi = wheel_residue_count_value;
  const std::int64_t periods = v / M;
  std::int32_t i = static_cast<std::int32_t>(compact_rank_of_residue(v - periods * M));
  const std::int64_t first_rank = periods * phi + i + 1;  // R(b) of the first b
  const std::int32_t* gaps = wheel.rough_gaps;
  std::int64_t b = v + gaps[i];
  if (++i == phi) i = 0;

  std::int64_t n = 0, rank_sum = 0;
  while (b <= s) {
    rank_sum += compact_rank(m / b + 1);
    ++n;
    b += gaps[i];
    if (++i == phi) i = 0;
  }
  // sum of (R(m/b + 1) - R(b) - 1) with R(b) = first_rank + j for the j-th b.
  return rank_sum - n * (first_rank + 1) - n * (n - 1) / 2;
}

}  // namespace roughpi
