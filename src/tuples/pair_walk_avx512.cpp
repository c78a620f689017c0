// The pair-step walk, eight b at a time with AVX-512 (F, DQ, VBMI, VPOPCNTDQ).
// This file is compiled with those instruction sets enabled; it runs only
// when the CPU check in pair_walk.cpp has found them.
//
// Quotient m / b: m is converted to double and divided by b, both rounded
// toward zero, so the estimate never exceeds the true quotient Q. While
// m / b < 2^51 the two roundings lose less than 2 * 2^-52 * 2^51 = 0.5, so the
// truncated estimate is Q or Q - 1 and one upward correction (if m - q*b >= b)
// is exact. The few b <= m >> 51 take an integer division instead.
// Rank R(X), X = Q + 1 < 2^53: periods P = X / M by a multiplication with
// 1/M rounded down (again at most one too small, corrected), residue
// r = X - P*M, word w = r / 120 by a multiply-shift exact for r < 2^24,
// offset o = r - 120 w, candidates below o by a byte permutation of a
// 128-byte table, then one gather of the rank words and a popcount.
#include <immintrin.h>

#include <cmath>

#include "tuples/pair_walk.h"
#include "wheel/compact_rank.h"
#include "wheel/rough_arithmetic.h"

namespace roughpi {

namespace {

constexpr std::int64_t M = wheel_modulus_value;
constexpr std::int64_t phi = wheel_residue_count_value;
constexpr int lanes = 8;

// floor(r / 120) = (r * 17895698) >> 31 for 0 <= r < 2^24:
// 17895698 = ceil(2^31 / 120) exceeds 2^31 / 120 by 0.93, and
// 2^24 * 0.93 / 2^31 < 1/120 keeps every quotient exact.
constexpr std::uint32_t div120_multiplier = 17895698;
constexpr int div120_shift = 31;
static_assert(wheel_modulus_value < (1 << 24), "residues must stay below 2^24");

// Largest m / b served by the double-precision quotient.
constexpr int exact_quotient_bits = 51;

}  // namespace

std::int64_t pair_walk_sum_avx512(std::int64_t m, std::int64_t v, std::int64_t s) {
  const std::int64_t periods_v = v / M;
  std::int32_t i = static_cast<std::int32_t>(compact_rank_of_residue(v - periods_v * M));
  const std::int64_t first_rank = periods_v * phi + i + 1;  // R(b) of the first b
  const std::int32_t* gaps = wheel.rough_gaps;
  std::int64_t b = v + gaps[i];
  if (++i == phi) i = 0;

  std::int64_t n = 0, rank_sum = 0;

  // Small b, where m / b may reach 2^51: integer division.
  const std::int64_t integer_limit = m >> exact_quotient_bits;
  while (b <= s && b <= integer_limit) {
    rank_sum += compact_rank(m / b + 1);
    ++n;
    b += gaps[i];
    if (++i == phi) i = 0;
  }

  if (b <= s) {
    constexpr int rz = _MM_FROUND_TO_ZERO | _MM_FROUND_NO_EXC;
    // m = m_down + m_rest exactly, m_down rounded toward zero; m_rest < 2^10.
    const double m_down_scalar = _mm_cvtsd_f64(_mm_cvt_roundi64_sd(_mm_setzero_pd(), m, rz));
    const __m512d m_down = _mm512_set1_pd(m_down_scalar);
    const __m512d m_rest =
        _mm512_set1_pd(static_cast<double>(m - static_cast<std::int64_t>(m_down_scalar)));
    const __m512d unit = _mm512_set1_pd(1.0);
    const __m512d modulus_d = _mm512_set1_pd(static_cast<double>(M));
    const __m512d inv_modulus_down =
        _mm512_set1_pd(std::nextafter(1.0 / static_cast<double>(M), 0.0));
    const __m512i one = _mm512_set1_epi64(1);
    const __m512i s_vec = _mm512_set1_epi64(s);
    const __m512i div120 = _mm512_set1_epi64(div120_multiplier);
    const __m512i below_lo = _mm512_loadu_si512(rough_rank_candidates_below.data());
    const __m512i below_hi = _mm512_loadu_si512(rough_rank_candidates_below.data() + 64);
    const long long* words = reinterpret_cast<const long long*>(rough_rank_words);

    __m512d period_acc = _mm512_setzero_pd();
    __m512i rank_acc = _mm512_setzero_si512();
    const __m512i zero = _mm512_setzero_si512();
    const __m512i last_lane = _mm512_set1_epi64(lanes - 1);
    __m512i base = _mm512_set1_epi64(b);  // the next b, in every lane
    alignas(64) std::int64_t lane_values[lanes];
    for (;;) {
      __m512i bv;
      if (i + lanes <= phi) {
        // Offsets of the eight b: exclusive prefix sums of the next gaps.
        const __m512i g = _mm512_cvtepi32_epi64(
            _mm256_loadu_si256(reinterpret_cast<const __m256i*>(gaps + i)));
        __m512i p = _mm512_add_epi64(g, _mm512_alignr_epi64(g, zero, lanes - 1));
        p = _mm512_add_epi64(p, _mm512_alignr_epi64(p, zero, lanes - 2));
        p = _mm512_add_epi64(p, _mm512_alignr_epi64(p, zero, lanes - 4));
        bv = _mm512_add_epi64(base, _mm512_sub_epi64(p, g));
        base = _mm512_add_epi64(base, _mm512_permutexvar_epi64(last_lane, p));
        i += lanes;
        if (i == phi) i = 0;
      } else {  // the batch crosses the wrap gap: walk it one b at a time
        b = _mm_cvtsi128_si64(_mm512_castsi512_si128(base));
        for (int lane = 0; lane < lanes; ++lane) {
          lane_values[lane] = b;
          b += gaps[i];
          if (++i == phi) i = 0;
        }
        bv = _mm512_load_si512(lane_values);
        base = _mm512_set1_epi64(b);
      }
      const __mmask8 live = _mm512_cmple_epi64_mask(bv, s_vec);
      if (live == 0) break;

      // q = floor(m / b): estimate rounded toward zero (Q or Q - 1), then
      // rem = m - q*b, exact by FMA (its true value is an integer below 2^53).
      const __m512d bd = _mm512_cvtepi64_pd(bv);
      __m512d q = _mm512_roundscale_pd(_mm512_div_round_pd(m_down, bd, rz), _MM_FROUND_TO_ZERO);
      const __m512d rem = _mm512_add_pd(_mm512_fnmadd_pd(q, bd, m_down), m_rest);
      // X = q + 1, or q + 2 where the estimate was one short.
      const __m512d x = _mm512_mask_add_pd(_mm512_add_pd(q, unit),
                                           _mm512_cmp_pd_mask(rem, bd, _CMP_GE_OQ),
                                           _mm512_add_pd(q, unit), unit);

      // X = P * M + r: P from 1/M rounded down (P or P - 1), r exact by FMA.
      __m512d periods = _mm512_roundscale_pd(_mm512_mul_round_pd(x, inv_modulus_down, rz),
                                             _MM_FROUND_TO_ZERO);
      __m512d rd = _mm512_fnmadd_pd(periods, modulus_d, x);
      const __mmask8 over = _mm512_cmp_pd_mask(rd, modulus_d, _CMP_GE_OQ);
      periods = _mm512_mask_add_pd(periods, over, periods, unit);
      rd = _mm512_mask_sub_pd(rd, over, rd, modulus_d);
      const __m512i r = _mm512_cvttpd_epi64(rd);

      // R(r) = high(word) + popcount(low(word) & ((1 << below(o)) - 1)).
      const __m512i w = _mm512_srli_epi64(_mm512_mul_epu32(r, div120), div120_shift);
      const __m512i o =
          _mm512_sub_epi64(r, _mm512_sub_epi64(_mm512_slli_epi64(w, 7), _mm512_slli_epi64(w, 3)));
      const __m512i below = _mm512_permutex2var_epi8(below_lo, o, below_hi);
      const __m512i word = _mm512_i64gather_epi64(w, words, 8);
      const __m512i mask = _mm512_sub_epi64(_mm512_sllv_epi64(one, below), one);
      const __m512i rank = _mm512_add_epi64(_mm512_srli_epi64(word, 32),
                                            _mm512_popcnt_epi64(_mm512_and_si512(word, mask)));

      // Period counts stay exact in doubles: their sum is far below 2^53.
      period_acc = _mm512_mask_add_pd(period_acc, live, period_acc, periods);
      rank_acc = _mm512_mask_add_epi64(rank_acc, live, rank_acc, rank);
      n += __builtin_popcount(live);
      if (live != 0xFF) break;
    }
    const auto period_sum = static_cast<std::int64_t>(_mm512_reduce_add_pd(period_acc));
    rank_sum += period_sum * phi + _mm512_reduce_add_epi64(rank_acc);
  }
  // sum of (R(m/b + 1) - R(b) - 1) with R(b) = first_rank + j for the j-th b.
  return rank_sum - n * (first_rank + 1) - n * (n - 1) / 2;
}

}  // namespace roughpi
