// The prime count: Moebius inversion of Linnik's identity over rough numbers.
// Roots of x are exact integer roots, and the root limit is found by integer
// powers of 23, so no input near a perfect power is off by one.
#include "primes/prime_count.h"

#include "support/fatal_error.h"
#include "tuples/integer_root.h"
#include "tuples/tuple_count.h"
#include "wheel/wheel_tables.h"

namespace roughpi {

const std::int32_t mobius[67] = {
    0,  1,  -1, -1, 0,  -1, 1, -1, 0, 0,  1,  -1, 0, -1, 1,  1,  0,  -1, 0, -1, 0,  1,  1,
    -1, 0,  0,  1,  0,  0,  -1, -1, -1, 0,  1,  1, 1,  0,  -1, 1,  1,  0,  -1, -1, -1, 0, 0,
    1,  -1, 0,  0,  0,  1,  0,  -1, 0,  1,  0,  1,  1,  -1, 0,  -1, 1,  0,  0,  1,  -1};

namespace {

PrimeCountObserver observer = nullptr;

// The wheel primes 2..19, for inputs too small to have a rough prime.
constexpr std::int64_t wheel_primes_list[] = {2, 3, 5, 7, 11, 13, 17, 19};

std::int64_t wheel_primes_up_to(std::int64_t x) {
  std::int64_t count = 0;
  for (std::int64_t p : wheel_primes_list) count += (p <= x);
  return count;
}

}  // namespace

void add_linnik_term(ExactLinnikSum& sum, std::int32_t i, std::int32_t k, std::int64_t d) {
  // i and k divide lcm(1..13), so the scale over i * k is an integer, and
  // |d| * scale < 2^61 * 2^37 leaves plenty of room in 127 bits.
  const std::int64_t factor = linnik_scale / (std::int64_t{i} * k);
  const __int128 term = static_cast<__int128>(d) * factor * mobius[i];
  sum.scaled += (k % 2 == 1) ? term : -term;
}

bool linnik_sum_value(const ExactLinnikSum& sum, std::int64_t& value) {
  if (sum.scaled % linnik_scale != 0) return false;
  value = static_cast<std::int64_t>(sum.scaled / linnik_scale);
  return true;
}

void set_prime_count_observer(PrimeCountObserver new_observer) { observer = new_observer; }

std::int64_t count_primes(std::int64_t x) {
  if (x < first_rough_prime_value) return wheel_primes_up_to(x);

  // One more than the largest i with 23^i <= x; 23^14 > 2^63, so at most 14.
  std::int32_t root_limit = 1;
  for (__int128 power = first_rough_prime_value; power <= x; power *= first_rough_prime_value) {
    ++root_limit;
  }

  ExactLinnikSum sum;
  for (std::int32_t i = 1; i < root_limit; ++i) {
    if (mobius[i] == 0) continue;
    const std::int64_t y = integer_root(x, i);
    for (std::int32_t k = 1;; ++k) {
      const std::int64_t d = count_rough_tuples(y, k);
      if (observer != nullptr) observer(i, y, k, d);
      if (d == 0) break;
      add_linnik_term(sum, i, k, d);
    }
  }

  std::int64_t rough_primes = 0;
  if (!linnik_sum_value(sum, rough_primes)) {
    fatal_error(exit_internal_error, "internal error: the prime count of %lld is not an integer",
                static_cast<long long>(x));
  }
  return wheel.wheel_prime_count + rough_primes;
}

}  // namespace roughpi
