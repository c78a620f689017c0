// The pair-step walk, eight b at a time with AVX-512 (F, DQ, VBMI, VPOPCNTDQ).
// This file is compiled with those instruction sets enabled; it runs only
// when the CPU check in pair_walk.cpp has found them. Cost about 1 ns per b
// on the machines we measure (the literal walk: 7-10 ns).
//
// Everything after the b themselves is done in doubles, whose integer parts
// stay exact below 2^53; a floor is taken by adding 2^52 with rounding
// toward zero, which leaves the integer in the low mantissa bits.
//   Quotient: m and m / b are both rounded toward zero, so while m / b < 2^51
//     the floor of the estimate is Q = floor(m / b) or Q - 1 (the roundings
//     lose less than 2 * 2^-52 * 2^51 = 0.5); an exact FMA remainder decides.
//     The few b <= m >> 51 take an integer division instead.
//   Periods: X = Q + 1 = P M + r, with P from 1/M rounded down: one short only
//     when r = 0, where r = M in its place ranks the same (R(M) = phi).
//   Rank: one scaled floor locates r in the compact rank table (word and
//     offset), a gather reads the eight words and a shift and a popcount count
//     the flags below each offset.
#include <immintrin.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

#include "tuples/pair_walk.h"
#include "wheel/compact_rank.h"
#include "wheel/rough_arithmetic.h"

namespace roughpi {

namespace {

constexpr std::int64_t M = wheel_modulus_value;
constexpr std::int64_t phi = wheel_residue_count_value;
constexpr int lanes = 8;

// A residue r = 120 w + o is located by one scaled floor:
//   floor(r * 16/15) = 128 w + j,  j = floor(16 o / 15) in 0..127,
// so w = that >> 7 and j, its low 7 bits, tells o apart (16/15 > 1 keeps
// distinct o distinct). The multiplier is 16/15 rounded up: where 16 o / 15 is
// an integer the floor must not fall short, and elsewhere it is at least 1/15
// below the next integer, far more than the rounding moves it for r < 2^24.
// Entry j holds 64 - (candidates below o): shifting a rank word left by it
// keeps exactly the flags below o (a shift by 64 keeps none).
constexpr std::array<std::uint8_t, 128> make_shift_below() {
  std::array<std::uint8_t, 128> table{};
  for (int o = 0; o < rank_span; ++o) {
    table[16 * o / 15] = static_cast<std::uint8_t>(64 - rough_rank_candidates_below[o]);
  }
  return table;
}
static_assert(wheel_modulus_value < (1 << 24), "residues must stay below 2^24");
alignas(64) constexpr std::array<std::uint8_t, 128> rank_shift_below = make_shift_below();

// Largest m / b served by the double-precision quotient.
constexpr int exact_quotient_bits = 51;

}  // namespace

std::int64_t pair_walk_sum_avx512(std::int64_t m, std::int64_t v, std::int64_t s) {
  const std::int64_t rank_v = compact_rank(v);
  return pair_walk_sum_avx512(m, v, s, rank_v, s > v ? compact_rank(s + 1) - rank_v - 1 : 0);
}

std::int64_t pair_walk_sum_avx512(std::int64_t m, std::int64_t v, std::int64_t s,
                                  std::int64_t rank_v, std::int64_t count) {
  if (count <= 0) return 0;
  // v is rough, so R(v) = periods * phi + its rough index.
  std::int32_t i = static_cast<std::int32_t>(rank_v - (v / M) * phi);
  const std::int64_t first_rank = rank_v + 1;  // R(b) of the first b
  const std::int32_t* gaps = wheel.rough_gaps;
  // The walk keeps the previous rough value and its index; the next b is
  // prev + gaps[i].
  std::int64_t prev = v;

  std::int64_t n = 0, rank_sum = 0;

  // Small b, where m / b may reach 2^51: integer division.
  const std::int64_t integer_limit = std::min(s, m >> exact_quotient_bits);
  for (std::int64_t b = prev + gaps[i]; b <= integer_limit; b = prev + gaps[i]) {
    rank_sum += compact_rank(m / b + 1);
    ++n;
    prev = b;
    if (++i == phi) i = 0;
  }

  if (n < count) {
    constexpr int rz = _MM_FROUND_TO_ZERO | _MM_FROUND_NO_EXC;
    // Adding 2^52 with rounding toward zero floors a double in [0, 2^52) and
    // leaves the integer in the low mantissa bits.
    constexpr double two52 = 4503599627370496.0;
    // m = m_down + m_rest exactly, m_down rounded toward zero; m_rest < 2^10.
    const double m_down_scalar = _mm_cvtsd_f64(_mm_cvt_roundi64_sd(_mm_setzero_pd(), m, rz));
    const __m512d m_down = _mm512_set1_pd(m_down_scalar);
    const __m512d minus_m_rest =
        _mm512_set1_pd(-static_cast<double>(m - static_cast<std::int64_t>(m_down_scalar)));
    const __m512d unit = _mm512_set1_pd(1.0);
    const __m512d floor_shift = _mm512_set1_pd(two52);
    const __m512d floor_shift_less_one = _mm512_set1_pd(two52 - 1.0);
    const __m512d modulus_d = _mm512_set1_pd(static_cast<double>(M));
    const __m512d inv_modulus_down =
        _mm512_set1_pd(std::nextafter(1.0 / static_cast<double>(M), 0.0));
    const __m512d sixteen_fifteenths_up = _mm512_set1_pd(std::nextafter(16.0 / 15.0, 2.0));
    const __m512i shift_lo = _mm512_loadu_si512(rank_shift_below.data());
    const __m512i shift_hi = _mm512_loadu_si512(rank_shift_below.data() + 64);
    // The gather is indexed by (bits of 2^52 + 128 w + j) >> 7 = 2^45 + w
    // plus the exponent bits; the base is moved back by as much (address
    // arithmetic wraps modulo 2^64).
    const auto words = reinterpret_cast<const long long*>(
        reinterpret_cast<std::uintptr_t>(rough_rank_words) -
        ((std::uint64_t{0x4330000000000000} >> 7) << 3));
    const __m512i zero = _mm512_setzero_si512();
    const __m512i last_lane = _mm512_set1_epi64(lanes - 1);

    __m512d period_acc = _mm512_setzero_pd();
    __m512i rank_acc = zero;
    __m512i prev_vec = _mm512_set1_epi64(prev);
    alignas(64) std::int64_t lane_values[lanes];
    // How many b remain, known up front so that batches need no comparison.
    std::int64_t remaining = count - n;
    n = count;
    for (; remaining > 0; remaining -= lanes) {
      __m512i bv;
      if (i + lanes <= phi) {
        // The eight b: prev plus the inclusive prefix sums of the next gaps.
        const __m512i g = _mm512_cvtepi32_epi64(
            _mm256_loadu_si256(reinterpret_cast<const __m256i*>(gaps + i)));
        __m512i p = _mm512_add_epi64(g, _mm512_alignr_epi64(g, zero, lanes - 1));
        p = _mm512_add_epi64(p, _mm512_alignr_epi64(p, zero, lanes - 2));
        p = _mm512_add_epi64(p, _mm512_alignr_epi64(p, zero, lanes - 4));
        bv = _mm512_add_epi64(prev_vec, p);
        i += lanes;
        if (i == phi) i = 0;
      } else {  // the batch crosses the wrap gap: walk it one b at a time
        prev = _mm_cvtsi128_si64(_mm512_castsi512_si128(prev_vec));
        for (int lane = 0; lane < lanes; ++lane) {
          prev += gaps[i];
          lane_values[lane] = prev;
          if (++i == phi) i = 0;
        }
        bv = _mm512_load_si512(lane_values);
      }
      prev_vec = _mm512_permutexvar_epi64(last_lane, bv);
      const auto live = static_cast<__mmask8>(
          remaining >= lanes ? 0xFF : (1u << remaining) - 1);

      // X = floor(m / b) + 1. The quotient estimate, rounded toward zero,
      // is Q or Q - 1; t = m_down - X*b is exact (an integer below 2^53), and
      // m - (X - 1) b >= b, i.e. the estimate was short, exactly when
      // t + m_rest >= 0.
      const __m512d bd = _mm512_cvtepi64_pd(bv);
      const __m512d qd = _mm512_div_round_pd(m_down, bd, rz);
      __m512d x = _mm512_sub_pd(_mm512_add_round_pd(qd, floor_shift, rz), floor_shift_less_one);
      const __m512d t = _mm512_fnmadd_pd(x, bd, m_down);
      x = _mm512_mask_add_pd(x, _mm512_cmp_pd_mask(t, minus_m_rest, _CMP_GE_OQ), x, unit);

      // X = P * M + r with P = floor(X / M) or one less where r would be 0;
      // then r = M, whose rank is phi, and P * phi + R(r) is the same.
      const __m512d periods =
          _mm512_sub_pd(_mm512_fmadd_round_pd(x, inv_modulus_down, floor_shift, rz), floor_shift);
      const __m512d r = _mm512_fnmadd_pd(periods, modulus_d, x);

      // Bits of 2^52 + 128 w + j (see make_shift_below).
      const __m512i located = _mm512_castpd_si512(
          _mm512_fmadd_round_pd(r, sixteen_fifteenths_up, floor_shift, rz));

      // R(r) = high(word) + popcount of the word's candidate bits below o,
      // which a left shift by 64 - below(o) isolates. The byte permutation
      // reads the low 7 bits of each lane's low byte, j; other bytes are zeroed.
      const __m512i word = _mm512_i64gather_epi64(_mm512_srli_epi64(located, 7), words, 8);
      const __m512i shift = _mm512_maskz_permutex2var_epi8(0x0101010101010101ULL, shift_lo,
                                                           located, shift_hi);
      const __m512i rank = _mm512_add_epi64(_mm512_srli_epi64(word, 32),
                                            _mm512_popcnt_epi64(_mm512_sllv_epi64(word, shift)));

      // Period counts stay exact in doubles: their sum is far below 2^53.
      period_acc = _mm512_mask_add_pd(period_acc, live, period_acc, periods);
      rank_acc = _mm512_mask_add_epi64(rank_acc, live, rank_acc, rank);
    }
    const auto period_sum = static_cast<std::int64_t>(_mm512_reduce_add_pd(period_acc));
    rank_sum += period_sum * phi + _mm512_reduce_add_epi64(rank_acc);
  }
  // sum of (R(m/b + 1) - R(b) - 1) with R(b) = first_rank + j for the j-th b.
  return rank_sum - n * (first_rank + 1) - n * (n - 1) / 2;
}

}  // namespace roughpi
