// One-line error reports on standard error, prefixed with the program's name.
#include "support/fatal_error.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace roughpi {

namespace {
const char* current_program_name = "roughpi";
}

void set_program_name(const char* name) { current_program_name = name; }
const char* program_name() { return current_program_name; }

void fatal_error(int status, const char* format, ...) {
  // Whatever standard output still buffers is either complete rows or the
  // failed write itself; do not let exit() retry a failing flush silently.
  std::fprintf(stderr, "%s: ", current_program_name);
  va_list args;
  va_start(args, format);
  std::vfprintf(stderr, format, args);
  va_end(args);
  std::fputc('\n', stderr);
  std::fflush(stderr);
  std::_Exit(status);
}

}  // namespace roughpi
