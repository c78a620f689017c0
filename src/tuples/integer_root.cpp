// Exact integer roots: floating-point estimate, then integer correction.
// Products are formed in unsigned __int128 and stop as soon as they pass n,
// so nothing overflows for any n up to 2^63 - 1.
#include "tuples/integer_root.h"

#include <cmath>

namespace roughpi {

namespace {

// Whether r^j > n, without overflow.
bool power_exceeds(std::int64_t r, int j, std::int64_t n) {
  unsigned __int128 p = 1;
  const auto limit = static_cast<unsigned __int128>(n);
  for (int e = 0; e < j; ++e) {
    p *= static_cast<unsigned __int128>(r);
    if (p > limit) return true;
  }
  return false;
}

}  // namespace

std::int64_t integer_sqrt(std::int64_t n) {
  auto r = static_cast<std::int64_t>(std::sqrt(static_cast<double>(n)));
  // The estimate is within one or two of the root for every 63-bit n;
  // (r + 1)^2 <= (3037000500)^2 < 2^64 fits an unsigned 64-bit product.
  const auto un = static_cast<std::uint64_t>(n);
  while (r > 0 && static_cast<std::uint64_t>(r) * static_cast<std::uint64_t>(r) > un) --r;
  while (static_cast<std::uint64_t>(r + 1) * static_cast<std::uint64_t>(r + 1) <= un) ++r;
  return r;
}

std::int64_t integer_root(std::int64_t n, int j) {
  if (j == 1) return n;
  if (j == 2) return integer_sqrt(n);
  auto r = static_cast<std::int64_t>(std::pow(static_cast<double>(n), 1.0 / j));
  while (r > 0 && power_exceeds(r, j, n)) --r;
  while (!power_exceeds(r + 1, j, n)) ++r;
  return r;
}

}  // namespace roughpi
