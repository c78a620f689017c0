// The roughpi command line: pi(X) for each number given, or the tuple counts
// D_k(Y) of one number. Parsing is kept apart from running so that every
// argument is checked before the first (possibly long) count starts.
#pragma once

#include <cstdint>
#include <cstdio>

namespace roughpi {

// Largest accepted input: the limit of count_primes.
inline constexpr std::int64_t cli_max_number = 1'000'000'000'000'000'000;

// Reads a whole argument of the form DIGITS, DIGITS e DIGITS (or E) or
// DIGITS ^ DIGITS whose value lies in 0..10^18. Returns null and sets `value`
// on success; otherwise returns what is wrong with it, to follow the quoted
// argument (e.g. "is not a number"), and leaves `value` alone.
const char* parse_number(const char* text, std::int64_t& value);

// The whole program on the given streams: results on `out`; errors, usage
// after a bad call, --time and --status lines on `err`. Returns the exit
// status (0 done, 1 failed write, 2 bad input). Builds the wheel tables
// once all arguments are known to be good.
int run_cli(int argc, char** argv, std::FILE* out, std::FILE* err);

}  // namespace roughpi
