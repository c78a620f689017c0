// The benchmark driver: builds the wheel tables, reads the clock, prints the
// header and then one timed row per power of ten.
#pragma once

#include <cstdint>
#include <cstdio>

namespace roughpi {

// A monotonic clock in whole milliseconds; only differences are used.
using MillisecondClock = std::int64_t (*)();
std::int64_t steady_clock_ms();

// Prints the five-line header. Returns false if writing or flushing failed.
bool print_benchmark_header(std::FILE* out);

// The two halves of a row: x and its exponent before the count runs, then the
// count, milliseconds, whole seconds and growth ratio. Each returns false if
// writing or flushing failed.
bool print_row_start(std::FILE* out, std::int64_t x, double ln10);
bool print_row_end(std::FILE* out, std::int64_t count, std::int32_t elapsed_ms,
                   std::int32_t previous_elapsed_ms);

// The whole run on `out` with `clock`, rows for x = 10^1 .. 10^last_exponent
// (1 <= last_exponent <= 18). A failed write ends the process with status 1
// and a line on stderr. Returns 0.
int run_benchmark(std::FILE* out, MillisecondClock clock, int last_exponent);

// The program's run: standard output, the steady clock, all eighteen rows.
int run_benchmark();

}  // namespace roughpi
