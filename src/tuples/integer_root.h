// Exact integer roots floor(n^(1/j)) for 0 <= n <= 2^63 - 1.
// A double-precision estimate is corrected in integer arithmetic: the
// floating-point root alone can be one too high just below a perfect power
// (sqrt near 67108865^2 - 1, cube roots near v^3), which would try a value
// whose j-th power exceeds n, or one too low at and above v^3, which would
// lose the tuples that start with v. Cost: one pow or sqrt and a few
// multiplications.
#pragma once

#include <cstdint>

namespace roughpi {

// floor(sqrt(n)) for n >= 0.
std::int64_t integer_sqrt(std::int64_t n);

// floor(n^(1/j)) for n >= 0 and j >= 1.
std::int64_t integer_root(std::int64_t n, int j);

}  // namespace roughpi
