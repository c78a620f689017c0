// roughpi-bench: times the combinatorial prime count for x = 10 .. 10^18.
// The command line is ignored.
#include "app/benchmark_driver.h"
#include "support/fatal_error.h"

int main() {
  roughpi::set_program_name("roughpi-bench");
  return roughpi::run_benchmark();
}
