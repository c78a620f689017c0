// The roughpi command line. All arguments are read and checked first, so a
// mistake anywhere is reported before anything is printed or counted; only
// then are the wheel tables built and the counts run, each result line
// flushed as soon as it is known.
#include "app/cli.h"

#include <cerrno>
#include <chrono>
#include <cinttypes>
#include <cstring>
#include <string>
#include <vector>

#include "primes/prime_count.h"
#include "support/fatal_error.h"
#include "tuples/tuple_count.h"
#include "wheel/wheel_tables.h"

#ifndef ROUGHPI_VERSION
#error "ROUGHPI_VERSION must be defined by the build"
#endif

namespace roughpi {

namespace {

const char* const not_a_number = "is not a number";
const char* const too_large = "is larger than 10^18";
const char* const undefined_power = "is undefined";

// Values only need comparing with the limit, so anything above it is held as
// limit + 1; this keeps 20-digit inputs and huge exponents free of overflow.
constexpr std::int64_t saturated = cli_max_number + 1;

bool is_digit(char c) { return c >= '0' && c <= '9'; }  // ASCII only, whatever the locale

// Reads one or more digits at p. Returns the position after them, or null if
// there is no digit.
const char* read_digits(const char* p, std::int64_t& value) {
  if (!is_digit(*p)) return nullptr;
  value = 0;
  for (; is_digit(*p); ++p) {
    const std::int64_t digit = *p - '0';
    value = value > (cli_max_number - digit) / 10 ? saturated : value * 10 + digit;
  }
  return p;
}

std::int64_t saturated_power(std::int64_t base, std::int64_t exponent) {
  if (exponent == 0) return 1;
  if (base <= 1) return base;
  std::int64_t result = 1;
  // base >= 2, so this ends within 60 rounds whatever the exponent.
  for (std::int64_t e = 0; e < exponent; ++e) {
    if (result > cli_max_number / base) return saturated;
    result *= base;
  }
  return result;
}

}  // namespace

const char* parse_number(const char* text, std::int64_t& value) {
  std::int64_t base = 0;
  const char* p = read_digits(text, base);
  if (p == nullptr) return not_a_number;
  if (*p == '\0') {
    if (base > cli_max_number) return too_large;
    value = base;
    return nullptr;
  }
  const char op = *p;
  if (op != 'e' && op != 'E' && op != '^') return not_a_number;
  std::int64_t exponent = 0;
  p = read_digits(p + 1, exponent);
  if (p == nullptr || *p != '\0') return not_a_number;

  std::int64_t result = 0;
  if (op == '^') {
    if (base == 0 && exponent == 0) return undefined_power;
    result = saturated_power(base, exponent);
  } else if (base != 0) {
    const std::int64_t scale = saturated_power(10, exponent);
    result = base > cli_max_number / scale ? saturated : base * scale;
  }
  if (result > cli_max_number) return too_large;
  value = result;
  return nullptr;
}

namespace {

struct CliRequest {
  std::vector<std::int64_t> numbers;  // the X arguments, in order
  bool tuples = false;
  std::int64_t tuples_y = 0;
  bool single_k = false;
  std::int64_t k = 0;  // kept in 64 bits: any k >= 14 prints 0
  bool time = false;
  bool status = false;
  bool help = false;
  bool version = false;
};

// "-x..." and "--..." are options; "-5", "-.5" or "-" are malformed numbers.
bool looks_like_option(const char* arg) {
  const char c = arg[0] == '-' ? arg[1] : '\0';
  return c == '-' || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

std::string quoted(const char* arg) { return std::string("'") + arg + "'"; }

// Fills `request` from the arguments. Returns an empty string if all are
// good, else the one error line (without the program name).
std::string read_arguments(int argc, char** argv, CliRequest& request) {
  const char* tuples_arg = nullptr;
  const char* k_arg = nullptr;
  const char* first_number_arg = nullptr;

  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    if (!looks_like_option(arg)) {
      std::int64_t x = 0;
      if (const char* problem = parse_number(arg, x)) return quoted(arg) + " " + problem;
      if (first_number_arg == nullptr) first_number_arg = arg;
      request.numbers.push_back(x);
      continue;
    }

    bool* flag = nullptr;
    std::int64_t* value = nullptr;
    if (std::strcmp(arg, "--time") == 0) {
      flag = &request.time;
    } else if (std::strcmp(arg, "--status") == 0) {
      flag = &request.status;
    } else if (std::strcmp(arg, "-h") == 0 || std::strcmp(arg, "--help") == 0) {
      flag = &request.help;
    } else if (std::strcmp(arg, "-v") == 0 || std::strcmp(arg, "--version") == 0) {
      flag = &request.version;
    } else if (std::strcmp(arg, "--tuples") == 0) {
      flag = &request.tuples;
      value = &request.tuples_y;
      tuples_arg = arg;
    } else if (std::strcmp(arg, "-k") == 0) {
      flag = &request.single_k;
      value = &request.k;
      k_arg = arg;
    } else {
      return "unknown option " + quoted(arg);
    }
    if (*flag) return "option " + quoted(arg) + " is given twice";
    *flag = true;
    if (value == nullptr) continue;

    // An option in the value's place means the value was left out.
    if (i + 1 == argc || looks_like_option(argv[i + 1])) {
      return "option " + quoted(arg) + " needs a number";
    }
    const char* value_arg = argv[++i];
    if (const char* problem = parse_number(value_arg, *value)) return quoted(value_arg) + " " + problem;
    if (value == &request.k && request.k < 1) {
      return "tuple length " + quoted(value_arg) + " is less than 1";
    }
  }

  if (k_arg != nullptr && tuples_arg == nullptr) return "option '-k' goes only with '--tuples'";
  if (tuples_arg != nullptr && first_number_arg != nullptr) {
    return "unexpected number " + quoted(first_number_arg) + ": '--tuples' takes exactly one number";
  }
  if (!request.help && !request.version && !request.tuples && request.numbers.empty()) {
    return "no number to count";
  }
  return std::string();
}

const char usage_text[] =
    "Usage: roughpi [--time] [--status] X [X ...]\n"
    "       roughpi [--time] [--status] --tuples Y [-k K]\n"
    "       roughpi -h | --help | -v | --version\n"
    "\n"
    "Counts primes combinatorially: a wheel of the primes 2..19, tuple counts of\n"
    "the remaining rough numbers, Linnik's identity and Moebius inversion.\n"
    "\n"
    "  X              print pi(X), the number of primes <= X, one line per X\n"
    "  --tuples Y     print \"k D_k(Y)\" for k = 1, 2, ... up to the first 0, where\n"
    "                 D_k(Y) counts the ordered k-tuples of integers above 1 with\n"
    "                 no prime factor <= 19 whose product is <= Y\n"
    "  -k K           with --tuples: print only the line for k = K (K >= 1)\n"
    "  --time         after each result, \"seconds: S\" (wall time) on stderr\n"
    "  --status       each tuple count as it finishes, on stderr\n"
    "  -h, --help     print this text\n"
    "  -v, --version  print the version\n"
    "\n"
    "Numbers are integers from 0 to 10^18 written as DIGITS, DIGITS e DIGITS\n"
    "(or E) or DIGITS ^ DIGITS, for example 1000, 1e12, 10^15, 2^40.\n"
    "Options may come before or after the numbers, each at most once.\n"
    "\n"
    "Exit status: 0 done, 1 internal error or failed write, 2 bad input.\n";

using Clock = std::chrono::steady_clock;

double seconds_since(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// The observer is a plain function pointer, so its stream and clock live here.
std::FILE* status_stream = nullptr;
Clock::time_point status_mark;

// Each tuple count starts where the previous report (or the prime count) ended.
void report_tuple_count(std::int32_t i, std::int64_t y, std::int32_t k, std::int64_t d) {
  std::fprintf(status_stream, "status: i=%" PRId32 " y=%" PRId64 " k=%" PRId32 " D=%" PRId64
               " seconds=%.3f\n", i, y, k, d, seconds_since(status_mark));
  std::fflush(status_stream);
  status_mark = Clock::now();
}

// Clears the observer on every way out of run_cli.
struct ObserverGuard {
  ~ObserverGuard() { set_prime_count_observer(nullptr); }
};

// Flushes a finished result line. On failure reports it and returns false.
bool flushed(std::FILE* out, std::FILE* err) {
  if (std::fflush(out) == 0 && !std::ferror(out)) return true;
  const int error = errno;
  std::fprintf(err, "%s: cannot write the output: %s\n", program_name(), std::strerror(error));
  std::fflush(err);
  return false;
}

void print_seconds(std::FILE* err, Clock::time_point start) {
  std::fprintf(err, "seconds: %.3f\n", seconds_since(start));
  std::fflush(err);
}

int run_tuples(const CliRequest& request, std::FILE* out, std::FILE* err) {
  const std::int64_t y = request.tuples_y;
  for (std::int64_t k = request.single_k ? request.k : 1;; ++k) {
    const Clock::time_point start = Clock::now();
    // Every k >= 14 gives 0; test before narrowing k to the library's 32 bits.
    const std::int64_t d = k >= 14 ? 0 : count_rough_tuples(y, static_cast<std::int32_t>(k));
    if (request.status) {
      std::fprintf(err, "status: y=%" PRId64 " k=%" PRId64 " D=%" PRId64 " seconds=%.3f\n", y, k,
                   d, seconds_since(start));
      std::fflush(err);
    }
    std::fprintf(out, "%" PRId64 " %" PRId64 "\n", k, d);
    if (!flushed(out, err)) return exit_internal_error;
    if (request.time) print_seconds(err, start);
    if (request.single_k || d == 0) return exit_success;
  }
}

int run_prime_counts(const CliRequest& request, std::FILE* out, std::FILE* err) {
  for (const std::int64_t x : request.numbers) {
    const Clock::time_point start = Clock::now();
    status_mark = start;
    const std::int64_t count = count_primes(x);
    std::fprintf(out, "%" PRId64 "\n", count);
    if (!flushed(out, err)) return exit_internal_error;
    if (request.time) print_seconds(err, start);
  }
  return exit_success;
}

}  // namespace

int run_cli(int argc, char** argv, std::FILE* out, std::FILE* err) {
  if (argc < 2) {
    std::fputs(usage_text, err);
    return exit_bad_input;
  }
  CliRequest request;
  const std::string problem = read_arguments(argc, argv, request);
  if (!problem.empty()) {
    std::fprintf(err, "%s: %s\n", program_name(), problem.c_str());
    return exit_bad_input;
  }
  if (request.help || request.version) {
    std::fputs(request.help ? usage_text : "roughpi " ROUGHPI_VERSION "\n", out);
    return flushed(out, err) ? exit_success : exit_internal_error;
  }

  ObserverGuard guard;
  if (request.status) {
    status_stream = err;
    set_prime_count_observer(report_tuple_count);
  }
  build_wheel_tables();
  return request.tuples ? run_tuples(request, out, err) : run_prime_counts(request, out, err);
}

}  // namespace roughpi
