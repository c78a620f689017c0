// Constant-time arithmetic on rough numbers anywhere in the signed 64-bit
// range, from the wheel tables.
//
// With R(X) = number of rough n, 1 <= n < X, and every M consecutive integers
// holding exactly phi rough ones:  R(X) = floor(X / M) * phi + rough_prefix[X mod M].
// The range count is R(b + 1) - R(a): two remainders, one division, two table
// reads. The rough walk steps from a rough value to the next by one table read
// and one addition. Neither writes anything.
#pragma once

#include <cstdint>

#include "wheel/wheel_tables.h"

namespace roughpi {

// Number of rough n with a <= n <= b, for a >= 0 and -1 <= b <= 2^63 - 2.
// Empty and reversed ranges give R(b + 1) - R(a), unclamped: (24, 22) is -1.
// No intermediate value overflows: the quotient is at most 950,893,485,962
// and times phi stays below 2^63.
inline std::int64_t count_rough_in_range(std::int64_t a, std::int64_t b) {
  constexpr std::int64_t M = wheel_modulus_value;
  const std::int64_t b1 = b + 1;
  const std::int64_t ra = a % M;
  const std::int64_t rb = b1 % M;
  const std::int64_t q = ((b1 - rb) - (a - ra)) / M;  // exact: both are multiples of M
  return q * wheel_residue_count_value + wheel.rough_prefix[rb] - wheel.rough_prefix[ra];
}

// Rough index of a rough value v >= 1: the position of its residue among the
// rough residues, 0 for residue 1.
inline std::int32_t rough_index(std::int64_t v) {
  return wheel.rough_prefix[v % wheel_modulus_value];
}

// A walk position: a rough value and its rough index. Callers keep it in
// locals, take rough_index once at the start and afterwards only step.
struct RoughWalk {
  std::int64_t value;
  std::int32_t index;
};

inline RoughWalk rough_walk_start(std::int64_t rough_value) {
  return {rough_value, rough_index(rough_value)};
}

// One step: the gap is read at the index before it advances; from residue
// M - 1 the wrap gap 2 leads to residue 1 and the index returns to 0.
inline void rough_walk_step(RoughWalk& w) {
  w.value += wheel.rough_gaps[w.index];
  ++w.index;
  if (w.index >= wheel_residue_count_value) w.index = 0;
}

}  // namespace roughpi
