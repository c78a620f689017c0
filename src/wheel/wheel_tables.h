// The wheel of the primes 2..19. Whether an integer is rough (has no prime
// factor at or below 19) depends only on its residue modulo
// M = 2*3*5*7*11*13*17*19 = 9699690, so two tables over one period answer
// every question about rough numbers of any size:
//   rough_prefix[r] = number of rough n with 1 <= n < r, for 0 <= r <= M;
//   rough_gaps[i]   = distance from the i-th rough residue to the next rough
//                     number (the last entry is the wrap gap M-1 -> M+1).
// Build: about 5.2 trial divisions per integer of one period, then two linear
// passes; peak 116 MB (a temporary marking table), 77.6 MB kept for good.
#pragma once

#include <cstdint>

namespace roughpi {

struct WheelTables {
  std::int32_t wheel_prime_count = 0;    // 8: the primes 2..19
  std::int32_t first_rough_prime = 0;    // 23
  std::int32_t wheel_modulus = 0;        // M = 9699690
  std::int32_t wheel_residue_count = 0;  // phi(M) = 1658880
  std::int32_t* rough_prefix = nullptr;  // M + 1 entries
  std::int32_t* rough_gaps = nullptr;    // room for M entries, the first phi filled
};

// The process-wide tables: written once by build_wheel_tables, then only read.
extern WheelTables wheel;

// Fills `wheel`. A second call does nothing. A refused allocation ends the
// process with a one-line message and exit status 1.
void build_wheel_tables();

// Named copies of the table constants, for code that needs them at compile
// time (constant divisors in the counting loops). A check in
// build_wheel_tables ties them to the computed values.
inline constexpr std::int64_t wheel_modulus_value = 9699690;
inline constexpr std::int64_t wheel_residue_count_value = 1658880;
inline constexpr std::int64_t first_rough_prime_value = 23;

}  // namespace roughpi
