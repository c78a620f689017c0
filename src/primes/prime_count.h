// pi(x) from tuple counts. With D_k(y) the number of ordered k-tuples of rough
// integers above 1 with product <= y, Linnik's identity restricted to rough
// numbers gives
//   sum_k (-1)^(k+1) D_k(y) / k = sum over rough prime powers p^m <= y of 1/m,
// and Moebius inversion over the roots x^(1/i) turns that into the number of
// rough primes up to x:
//   pi(x) = 8 + sum_{i: 23^i <= x} mu(i)/i * sum_k (-1)^(k+1)/k * D_k(floor(x^(1/i))).
// The sum is formed exactly (every term scaled by lcm(1..13)^2 in __int128):
// from x = 10^16 on the counts pass 2^53 and a double sum lands off by one.
// Cost: dominated by D_k(x) for the middle k; at most 9 roots with mu != 0 and
// at most 14 tuple counts per root. Nothing is cached between calls.
#pragma once

#include <cstdint>

namespace roughpi {

// mu(n) for n = 0..66 (entry 0 is 0); only entries 1..13 are read.
extern const std::int32_t mobius[67];

// Exact accumulation of terms mu(i)/i * (-1)^(k+1)/k * D for 1 <= i, k <= 13.
struct ExactLinnikSum {
  __int128 scaled = 0;  // the sum times linnik_scale
};
inline constexpr std::int64_t linnik_scale = 360360LL * 360360LL;  // lcm(1..13)^2

void add_linnik_term(ExactLinnikSum& sum, std::int32_t i, std::int32_t k, std::int64_t d);

// The sum's value if it is an integer (it must be, for a true prime count);
// false otherwise.
bool linnik_sum_value(const ExactLinnikSum& sum, std::int64_t& value);

// Reports each tuple count of a prime count as it finishes (for progress
// displays). Null, the default, costs one test per tuple count.
using PrimeCountObserver = void (*)(std::int32_t i, std::int64_t y, std::int32_t k,
                                    std::int64_t d);
void set_prime_count_observer(PrimeCountObserver observer);

// pi(x) for 0 <= x <= 10^18 (0 for negative x). An inexact sum is an internal
// error: it ends the process with a message, never a wrong count.
std::int64_t count_primes(std::int64_t x);

}  // namespace roughpi
