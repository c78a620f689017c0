// The benchmark driver. The table build lies before the first clock reading,
// so no row's time includes it; each row's time runs from the previous
// reading to this row's reading.
#include "app/benchmark_driver.h"

#include <cerrno>
#include <chrono>
#include <cinttypes>
#include <cmath>
#include <cstring>

#include "primes/prime_count.h"
#include "support/fatal_error.h"
#include "wheel/wheel_tables.h"

namespace roughpi {

std::int64_t steady_clock_ms() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

namespace {

bool flushed(std::FILE* out) { return std::fflush(out) == 0 && !std::ferror(out); }

// Every piece is flushed so that a pipe shows it at once; the first failed
// write ends the run rather than computing rows nobody can read.
void die_on_write_failure(bool ok) {
  if (!ok) fatal_error(exit_internal_error, "cannot write the output: %s", std::strerror(errno));
}

}  // namespace

bool print_benchmark_header(std::FILE* out) {
  // 68 spaces put Time, Increase and "for x10" above the ratio column.
  const char* const right_column =
      "                                                                    %s";
  std::fprintf(out, right_column, "Time\n");
  std::fprintf(out, right_column, "Increase\n");
  std::fprintf(out, right_column, "");
  std::fprintf(out, "for x%d\n", 10);
  std::fprintf(out, "         __ Input Number __   __ Output Number __ _ MSec _ _ Sec _  Input\n\n");
  return flushed(out);
}

bool print_row_start(std::FILE* out, std::int64_t x, double ln10) {
  const double exponent = std::log(static_cast<double>(x)) / ln10;
  std::fprintf(out, "%17" PRId64 "(10^%4.1f): ", x, exponent);
  return flushed(out);
}

bool print_row_end(std::FILE* out, std::int64_t count, std::int32_t elapsed_ms,
                   std::int32_t previous_elapsed_ms) {
  const std::int32_t seconds = elapsed_ms / 1000;
  const double ratio = previous_elapsed_ms != 0
                           ? static_cast<double>(elapsed_ms) / static_cast<double>(previous_elapsed_ms)
                           : 0.0;
  std::fprintf(out, " %20" PRId64 " %8d : %4d: x%f\n", count, elapsed_ms, seconds, ratio);
  return flushed(out);
}

int run_benchmark(std::FILE* out, MillisecondClock clock, int last_exponent) {
  build_wheel_tables();
  std::int64_t previous_reading = clock();
  std::int32_t previous_elapsed = 0;
  die_on_write_failure(print_benchmark_header(out));

  const double ln10 = std::log(10.0);
  std::int64_t x = 10;
  for (int exponent = 1; exponent <= last_exponent; ++exponent, x *= 10) {
    die_on_write_failure(print_row_start(out, x, ln10));
    const std::int64_t count = count_primes(x);
    const std::int64_t now = clock();
    // Subtract in 64 bits, then narrow: a clock that wraps 32 bits (24.8 days
    // of uptime in milliseconds) never makes a negative time.
    const auto elapsed = static_cast<std::int32_t>(now - previous_reading);
    die_on_write_failure(print_row_end(out, count, elapsed, previous_elapsed));
    previous_reading = now;
    previous_elapsed = elapsed;
  }
  return 0;
}

int run_benchmark() { return run_benchmark(stdout, steady_clock_ms, 18); }

}  // namespace roughpi
