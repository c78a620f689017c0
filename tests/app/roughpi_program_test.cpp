// The roughpi executable run as a user runs it: arguments in, then standard
// output, standard error and the exit status checked as they come out.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "read_back.h"
#include "primes/prime_count.h"
#include "tuples/integer_root.h"
#include "tuples/tuple_count.h"

extern char** environ;

namespace roughpi {
namespace {

struct Outcome {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs the program with `args`. Standard output goes to a temporary file, or
// to `stdout_path` when given; standard input is empty.
Outcome run_roughpi(const std::vector<std::string>& args, const char* stdout_path = nullptr) {
  Outcome outcome;
  std::FILE* out = std::tmpfile();
  std::FILE* err = std::tmpfile();
  if (out == nullptr || err == nullptr) {
    ADD_FAILURE() << "tmpfile: " << std::strerror(errno);
    return outcome;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  if (stdout_path != nullptr) {
    posix_spawn_file_actions_addopen(&actions, 1, stdout_path, O_WRONLY, 0);
  } else {
    posix_spawn_file_actions_adddup2(&actions, fileno(out), 1);
  }
  posix_spawn_file_actions_adddup2(&actions, fileno(err), 2);

  std::vector<char*> argv{const_cast<char*>(ROUGHPI_PROGRAM)};
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, ROUGHPI_PROGRAM, &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) {
    ADD_FAILURE() << "cannot run " << ROUGHPI_PROGRAM << ": " << std::strerror(spawned);
  } else {
    int wait_status = 0;
    if (waitpid(pid, &wait_status, 0) == pid) {
      outcome.status = WIFEXITED(wait_status) ? WEXITSTATUS(wait_status) : 128 + WTERMSIG(wait_status);
    }
  }
  outcome.out = read_back(out);
  outcome.err = read_back(err);
  return outcome;
}

std::string joined(const std::vector<std::string>& args) {
  std::string text;
  for (const std::string& arg : args) text += " '" + arg + "'";
  return text;
}

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// Whether `text` is a time as printed: digits, a point and three digits.
bool is_seconds(const std::string& text) {
  const std::size_t point = text.find('.');
  if (point == 0 || point == std::string::npos || text.size() != point + 4) return false;
  for (std::size_t n = 0; n < text.size(); ++n) {
    if (n != point && (text[n] < '0' || text[n] > '9')) return false;
  }
  return true;
}

bool is_seconds_line(const std::string& line) {
  const std::string prefix = "seconds: ";
  return line.rfind(prefix, 0) == 0 && is_seconds(line.substr(prefix.size()));
}

// The fields of "status: FIELDS seconds=S", or "" if the line has another shape.
std::string status_fields(const std::string& line) {
  const std::string prefix = "status: ";
  const std::string marker = " seconds=";
  const std::size_t at = line.rfind(marker);
  if (line.rfind(prefix, 0) != 0 || at == std::string::npos || at < prefix.size() ||
      !is_seconds(line.substr(at + marker.size()))) {
    return "";
  }
  return line.substr(prefix.size(), at - prefix.size());
}

// Every accepted spelling in one run; the order of the arguments is kept.
TEST(RoughpiProgram, CountsEachNumberInOrder) {
  const Outcome r = run_roughpi({"1e12", "100", "10^3", "0", "1", "000123", "1E3", "2^20", "0e5",
                                 "5e0", "1^1000", "0^5", "23", "1000000"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "37607912018\n25\n168\n0\n0\n30\n168\n82025\n0\n3\n0\n0\n9\n78498\n");
  EXPECT_EQ(r.err, "");
}

struct TuplesCase {
  std::vector<std::string> args;
  const char* out;
};

TEST(RoughpiProgram, TupleCounts) {
  const TuplesCase cases[] = {
      {{"--tuples", "1000000"}, "1 171020\n2 228269\n3 65501\n4 571\n5 0\n"},
      {{"--tuples", "1e6", "-k", "2"}, "2 228269\n"},
      {{"-k", "4", "--tuples", "10^6"}, "4 571\n"},
      {{"--tuples", "1000000", "-k", "99999999999"}, "99999999999 0\n"},
      {{"--tuples", "1e6", "-k", "4294967298"}, "4294967298 0\n"},  // 2^32 + 2, not k = 2
      {{"--tuples", "22"}, "1 0\n"},
  };
  for (const TuplesCase& c : cases) {
    const Outcome r = run_roughpi(c.args);
    EXPECT_EQ(r.status, 0) << joined(c.args);
    EXPECT_EQ(r.out, c.out) << joined(c.args);
    EXPECT_EQ(r.err, "") << joined(c.args);
  }
}

// A longer list, up to and including the first zero.
TEST(RoughpiProgram, TupleCountsAgreeWithLibrary) {
  constexpr std::int64_t y = 100'000'000'000;
  std::string expected;
  for (std::int32_t k = 1;; ++k) {
    const std::int64_t d = count_rough_tuples(y, k);
    expected += std::to_string(k) + " " + std::to_string(d) + "\n";
    if (d == 0) break;
  }
  const Outcome r = run_roughpi({"--tuples", "10^11"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, expected);
}

struct BadCase {
  std::vector<std::string> args;
  const char* message;  // the whole line on standard error, without the newline
};

TEST(RoughpiProgram, BadInputIsOneLineAndNoOutput) {
  const BadCase cases[] = {
      {{"abc"}, "roughpi: 'abc' is not a number"},
      {{"-5"}, "roughpi: '-5' is not a number"},
      {{"-"}, "roughpi: '-' is not a number"},
      {{""}, "roughpi: '' is not a number"},
      {{" "}, "roughpi: ' ' is not a number"},
      {{"+5"}, "roughpi: '+5' is not a number"},
      {{"1.5e3"}, "roughpi: '1.5e3' is not a number"},
      {{"100abc"}, "roughpi: '100abc' is not a number"},
      {{"1e19"}, "roughpi: '1e19' is larger than 10^18"},
      {{"2^64"}, "roughpi: '2^64' is larger than 10^18"},
      {{"0^0"}, "roughpi: '0^0' is undefined"},
      {{"--foo"}, "roughpi: unknown option '--foo'"},
      {{"-x", "5"}, "roughpi: unknown option '-x'"},
      {{"--"}, "roughpi: unknown option '--'"},
      // A bad argument after good ones: nothing is counted.
      {{"100", "1e12", "abc"}, "roughpi: 'abc' is not a number"},
      {{"100", "99999999999999999999"}, "roughpi: '99999999999999999999' is larger than 10^18"},
      {{"1e19", "--help"}, "roughpi: '1e19' is larger than 10^18"},
      {{"--time", "--time", "5"}, "roughpi: option '--time' is given twice"},
      {{"5", "--status", "--status"}, "roughpi: option '--status' is given twice"},
      {{"--help", "-h"}, "roughpi: option '-h' is given twice"},
      {{"--tuples"}, "roughpi: option '--tuples' needs a number"},
      {{"--tuples", "--time"}, "roughpi: option '--tuples' needs a number"},
      {{"--tuples", "abc"}, "roughpi: 'abc' is not a number"},
      {{"--tuples", "-5"}, "roughpi: '-5' is not a number"},
      {{"--tuples", "5", "-k"}, "roughpi: option '-k' needs a number"},
      {{"--tuples", "5", "-k", "0"}, "roughpi: tuple length '0' is less than 1"},
      {{"--tuples", "5", "-k", "1e19"}, "roughpi: '1e19' is larger than 10^18"},
      {{"--tuples", "5", "--tuples", "6"}, "roughpi: option '--tuples' is given twice"},
      {{"--tuples", "5", "-k", "1", "-k", "2"}, "roughpi: option '-k' is given twice"},
      {{"-k", "3", "100"}, "roughpi: option '-k' goes only with '--tuples'"},
      {{"--tuples", "5", "7"}, "roughpi: unexpected number '7': '--tuples' takes exactly one number"},
      {{"7", "--tuples", "5"}, "roughpi: unexpected number '7': '--tuples' takes exactly one number"},
      {{"--time"}, "roughpi: no number to count"},
  };
  for (const BadCase& c : cases) {
    const Outcome r = run_roughpi(c.args);
    EXPECT_EQ(r.status, 2) << joined(c.args);
    EXPECT_EQ(r.out, "") << joined(c.args);
    EXPECT_EQ(r.err, std::string(c.message) + "\n") << joined(c.args);
  }
}

TEST(RoughpiProgram, HelpAndVersion) {
  const Outcome help = run_roughpi({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.err, "");
  EXPECT_NE(help.out.find("Usage: roughpi"), std::string::npos) << help.out;
  EXPECT_NE(help.out.find("--tuples"), std::string::npos) << help.out;
  EXPECT_NE(help.out.find("10^18"), std::string::npos) << help.out;
  EXPECT_NE(help.out.find("Exit status"), std::string::npos) << help.out;
  const Outcome short_help = run_roughpi({"-h"});
  EXPECT_EQ(short_help.status, 0);
  EXPECT_EQ(short_help.out, help.out);

  for (const char* option : {"--version", "-v"}) {
    const Outcome r = run_roughpi({option});
    EXPECT_EQ(r.status, 0) << option;
    EXPECT_EQ(r.out, "roughpi 1.0.0\n") << option;
    EXPECT_EQ(r.err, "") << option;
  }
}

TEST(RoughpiProgram, NoArgumentsShowsUsageOnStderr) {
  const Outcome r = run_roughpi({});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err.rfind("Usage: roughpi", 0), 0u) << r.err;
}

// One line and status 1 at the first failed write, whatever was being printed.
TEST(RoughpiProgram, FailedWriteIsStatusOne) {
  const std::string expected =
      std::string("roughpi: cannot write the output: ") + std::strerror(ENOSPC) + "\n";
  const std::vector<std::string> calls[] = {
      {"100", "1000"}, {"--tuples", "1e6"}, {"--version"}, {"--help"}};
  for (const std::vector<std::string>& args : calls) {
    const Outcome r = run_roughpi(args, "/dev/full");
    EXPECT_EQ(r.status, 1) << joined(args);
    EXPECT_EQ(r.err, expected) << joined(args);
  }
}

TEST(RoughpiProgram, TimeFollowsEachResult) {
  struct TimeCase {
    std::vector<std::string> args;
    const char* out;
    std::size_t results;
  };
  const TimeCase cases[] = {
      {{"100", "--time", "1000"}, "25\n168\n", 2},
      {{"--tuples", "1e6", "--time"}, "1 171020\n2 228269\n3 65501\n4 571\n5 0\n", 5},
      {{"--time", "--tuples", "1e6", "-k", "3"}, "3 65501\n", 1},
  };
  for (const TimeCase& c : cases) {
    const Outcome r = run_roughpi(c.args);
    EXPECT_EQ(r.status, 0) << joined(c.args);
    EXPECT_EQ(r.out, c.out) << joined(c.args);
    const std::vector<std::string> lines = lines_of(r.err);
    EXPECT_EQ(lines.size(), c.results) << joined(c.args) << "\n" << r.err;
    for (const std::string& line : lines) {
      EXPECT_TRUE(is_seconds_line(line)) << joined(c.args) << ": " << line;
    }
  }
}

// The status lines are the tuple counts of the prime count, in the order it
// runs them: roots i with mu(i) != 0, each k up to the first zero.
TEST(RoughpiProgram, StatusReportsEveryTupleCount) {
  constexpr std::int64_t x = 1'000'000'000;
  std::vector<std::string> expected;
  for (std::int32_t i = 1; i <= 13; ++i) {
    const std::int64_t y = integer_root(x, i);
    if (y < 23) break;
    if (mobius[i] == 0) continue;
    for (std::int32_t k = 1;; ++k) {
      const std::int64_t d = count_rough_tuples(y, k);
      std::ostringstream line;
      line << "i=" << i << " y=" << y << " k=" << k << " D=" << d;
      expected.push_back(line.str());
      if (d == 0) break;
    }
  }

  const Outcome r = run_roughpi({"1e9", "--status", "--time"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "50847534\n");
  const std::vector<std::string> lines = lines_of(r.err);
  ASSERT_EQ(lines.size(), expected.size() + 1) << r.err;
  EXPECT_EQ(lines.front().rfind("status: i=1 y=1000000000 k=1 D=", 0), 0u) << lines.front();
  for (std::size_t n = 0; n < expected.size(); ++n) {
    EXPECT_EQ(status_fields(lines[n]), expected[n]) << lines[n];
  }
  EXPECT_TRUE(is_seconds_line(lines.back())) << lines.back();
}

TEST(RoughpiProgram, StatusInTupleMode) {
  const Outcome r = run_roughpi({"--status", "--tuples", "1e6", "-k", "3"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "3 65501\n");
  const std::vector<std::string> lines = lines_of(r.err);
  ASSERT_EQ(lines.size(), 1u) << r.err;
  EXPECT_EQ(status_fields(lines[0]), "y=1000000 k=3 D=65501") << lines[0];
  EXPECT_EQ(r.err.back(), '\n');
}

}  // namespace
}  // namespace roughpi
