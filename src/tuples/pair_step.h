// The pair step: the weighted number of ways to choose the last two factors
// (b, c), factor <= b <= c, b * c <= m, of a tuple whose other factors are
// fixed. Three cases (b = c = factor, b = factor < c, factor < b = c) are
// closed forms with one or two range counts; the fourth, factor < b < c,
// walks the rough b up to floor(sqrt(m)) with one range count each:
//   L = sum over rough b, factor < b <= sqrt(m), of (#rough c in [b, m/b]) - 1.
// Cost: O(number of rough b in (factor, sqrt(m)]); this walk is the hottest
// loop of the program.
#pragma once

#include <cstdint>

namespace roughpi {

// The shared working record of one tuple count. All fields are set by the
// tuple count entry or the three-factor level before the pair step reads
// them; `total` is only ever added to between the entry's reset and its read.
struct TupleCountState {
  std::int64_t bound;         // product bound for factor and the last two factors
  std::int64_t factor;        // the largest value placed so far (rough, >= 23)
  std::int64_t multiplicity;  // how many placed values equal factor
  std::int64_t weight;        // k! / prod(n(u)!) over the values placed so far
  std::int64_t total;         // running weighted count
};

extern TupleCountState tuple_state;

// First way in: the pair bound is tuple_state.bound / tuple_state.factor.
void count_last_pair();

// Second way in: the pair bound is handed over (two-factor tuples: y itself).
void count_last_pair(std::int64_t pair_bound);

}  // namespace roughpi
