// roughpi: prints pi(X) for each number on the command line, or the tuple
// counts D_k(Y) with --tuples. See run_cli for the whole behaviour.
#include <cstdio>

#include "app/cli.h"
#include "support/fatal_error.h"

int main(int argc, char** argv) {
  roughpi::set_program_name("roughpi");
  return roughpi::run_cli(argc, argv, stdout, stderr);
}
