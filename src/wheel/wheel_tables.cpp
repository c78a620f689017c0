// Builds the wheel tables by trial division over one period of the wheel.
// Cost: 50,032,491 divisions (an integer with smallest prime factor p <= 19
// costs p - 1, a rough one 18) and two linear passes over M entries.
// Memory: three blocks of about 38.8 MB at the peak; the marking table is
// released before returning, the other two live until the process ends.
#include "wheel/wheel_tables.h"

#include <cstdlib>

#include "support/fatal_error.h"
#include "wheel/compact_rank.h"

namespace roughpi {

WheelTables wheel;

namespace {

// The scans stop at the first entry above wheel_limit, so 29 is never read.
constexpr std::int32_t wheel_primes[10] = {2, 3, 5, 7, 11, 13, 17, 19, 23, 29};
constexpr std::int32_t wheel_limit = 19;

std::int32_t* allocate_table(const char* name, std::int64_t entries) {
  const std::size_t bytes = static_cast<std::size_t>(entries) * sizeof(std::int32_t);
  auto* table = static_cast<std::int32_t*>(std::malloc(bytes));
  if (table == nullptr) {
    fatal_error(exit_internal_error, "cannot allocate the table %s (%zu bytes)", name, bytes);
  }
  return table;
}

}  // namespace

void build_wheel_tables() {
  if (wheel.rough_prefix != nullptr) return;

  std::int32_t count = 1;
  while (wheel_primes[count] <= wheel_limit) ++count;
  wheel.wheel_prime_count = count;

  std::int32_t modulus = wheel_primes[0];
  for (std::int32_t k = 1; wheel_primes[k] <= wheel_limit; ++k) modulus *= wheel_primes[k];
  wheel.wheel_modulus = modulus;
  if (modulus != wheel_modulus_value) {
    fatal_error(exit_internal_error, "internal error: wheel modulus %d", modulus);
  }

  std::int32_t* rough_flags = allocate_table("rough_flags", modulus);
  std::int32_t* rough_prefix = allocate_table("rough_prefix", std::int64_t{modulus} + 1);
  std::int32_t* rough_gaps = allocate_table("rough_gaps", modulus);

  wheel.first_rough_prime = wheel_primes[count];

  // Every d from 2 to 19 is tried; a composite d never decides, since a prime
  // factor of it comes first.
  for (std::int32_t n = 1; n <= modulus; ++n) {
    rough_flags[n - 1] = 1;
    for (std::int32_t d = 2; d <= wheel_limit; ++d) {
      if (n % d == 0) {
        rough_flags[n - 1] = 0;
        break;
      }
    }
  }

  // Position 0 (the number 1) only lifts run from -1 to 0, so the first gap
  // written, at 23, is its distance from 1.
  std::int32_t k = 0;
  std::int32_t run = -1;
  for (std::int32_t p = 0; p < modulus; ++p) {
    if (rough_flags[p] == 1 && p != 0) {
      rough_gaps[k++] = run + 1;
      run = 0;
    } else {
      ++run;
    }
  }
  rough_gaps[k++] = 2;  // wrap gap: M - 1 to M + 1, the next period's 1
  wheel.wheel_residue_count = k;
  if (k != wheel_residue_count_value) {
    fatal_error(exit_internal_error, "internal error: %d rough residues", k);
  }

  rough_prefix[0] = 0;
  std::int32_t c = 0;
  for (std::int32_t r = 0; r < modulus; ++r) {
    if (r != 0 && rough_flags[r - 1] == 1) ++c;
    rough_prefix[r + 1] = c;
  }

  std::free(rough_flags);
  wheel.rough_prefix = rough_prefix;
  wheel.rough_gaps = rough_gaps;

  // Derived from rough_prefix for the fast counting loops; built here so that
  // no timed count includes it.
  build_compact_rank();
}

}  // namespace roughpi
