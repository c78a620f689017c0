// A compact rank structure over one period of the wheel, derived from
// rough_prefix: R(r) = number of rough n with 1 <= n < r, for 0 <= r < M.
// Every rough number is coprime to 30, so each 30 consecutive integers hold at
// most 8 candidates (offsets 1, 7, 11, 13, 17, 19, 23, 29). A 64-bit word
// covers 120 integers: its low 32 bits flag which of the 4 x 8 candidates are
// rough, its high 32 bits hold R at the start of the 120. Then
//   R(r) = high(word[r / 120]) + popcount(low(word[r / 120]) & below(r % 120)),
// one load, a mask and a popcount. 80831 words, 647 KB: it stays in L2 where
// the 38.8 MB rough_prefix misses cache on every random read.
#pragma once

#include <array>
#include <cstdint>

#include "wheel/wheel_tables.h"

namespace roughpi {

inline constexpr std::int32_t rank_span = 120;  // integers per word
inline constexpr std::int32_t rank_word_count =
    (wheel_modulus_value + rank_span - 1) / rank_span;

// Built by build_wheel_tables, with the other tables; read-only afterwards.
extern std::uint64_t* rough_rank_words;

// Offsets in 0..29 coprime to 30: the only places a rough number can stand.
inline constexpr std::int32_t rank_candidate_offsets[8] = {1, 7, 11, 13, 17, 19, 23, 29};

// For an offset o in 0..119: how many of a word's 32 candidates lie below o.
// Entries 120..127 are never used; 0 keeps a 7-bit table lookup safe.
constexpr std::array<std::uint8_t, 128> make_candidates_below() {
  std::array<std::uint8_t, 128> table{};
  for (std::int32_t o = 0; o < rank_span; ++o) {
    std::int32_t below = 8 * (o / 30);
    for (std::int32_t c : rank_candidate_offsets) below += (c < o % 30);
    table[o] = static_cast<std::uint8_t>(below);
  }
  return table;
}
inline constexpr std::array<std::uint8_t, 128> rough_rank_candidates_below =
    make_candidates_below();

void build_compact_rank();

// R(r) for a residue 0 <= r < M; equals rough_prefix[r].
inline std::int64_t compact_rank_of_residue(std::int64_t r) {
  const auto w = static_cast<std::uint32_t>(r) / rank_span;
  const std::uint32_t o = static_cast<std::uint32_t>(r) - w * rank_span;
  const std::uint64_t word = rough_rank_words[w];
  const std::uint32_t below = rough_rank_candidates_below[o];
  const std::uint64_t mask = (std::uint64_t{1} << below) - 1;
  return static_cast<std::int64_t>((word >> 32) +
                                   static_cast<std::uint64_t>(__builtin_popcountll(word & mask)));
}

// R(X) for any X >= 0: whole periods plus the rank of the residue.
inline std::int64_t compact_rank(std::int64_t x) {
  const std::int64_t periods = x / wheel_modulus_value;
  return periods * wheel_residue_count_value +
         compact_rank_of_residue(x - periods * wheel_modulus_value);
}

}  // namespace roughpi
