// The one way the program gives up: a single line "<program>: <message>" on
// standard error and an exit status. Used where going on would print a wrong
// or half-written result (a refused allocation, a failed write, a failed
// internal consistency check).
#pragma once

namespace roughpi {

// Exit statuses shared by both executables.
inline constexpr int exit_success = 0;
inline constexpr int exit_internal_error = 1;  // also refused allocation, failed write
inline constexpr int exit_bad_input = 2;

// Name printed in front of every error line; set by each program's main().
void set_program_name(const char* name);
const char* program_name();

[[noreturn]] void fatal_error(int status, const char* format, ...)
    __attribute__((format(printf, 2, 3)));

}  // namespace roughpi
