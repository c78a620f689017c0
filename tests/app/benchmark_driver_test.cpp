// The printed table, captured byte for byte.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "app/benchmark_driver.h"

namespace roughpi {
namespace {

// Captures what a function writes to a FILE*.
template <typename Write>
std::string capture(Write write) {
  std::FILE* f = std::tmpfile();
  EXPECT_NE(f, nullptr);
  write(f);
  std::fflush(f);
  std::rewind(f);
  std::string text;
  char buf[4096];
  std::size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) text.append(buf, n);
  std::fclose(f);
  return text;
}

const std::string spaces68(68, ' ');
const std::string expected_header =
    spaces68 + "Time\n" + spaces68 + "Increase\n" + spaces68 + "for x10\n" +
    "         __ Input Number __   __ Output Number __ _ MSec _ _ Sec _  Input\n\n";

TEST(BenchmarkHeader, ExactBytes) {
  const std::string text = capture([](std::FILE* f) { EXPECT_TRUE(print_benchmark_header(f)); });
  EXPECT_EQ(text, expected_header);
  // Column positions the rows line up with (1-based columns).
  EXPECT_EQ(expected_header.find("Time"), 68u);
  const std::string columns = "         __ Input Number __   __ Output Number __ _ MSec _ _ Sec _  Input";
  EXPECT_EQ(columns.find("__ Input Number __"), 9u);
  EXPECT_EQ(columns.find("__ Output Number __"), 30u);
  EXPECT_EQ(columns.find("_ MSec _"), 50u);
  EXPECT_EQ(columns.find("_ Sec _"), 59u);
  EXPECT_EQ(columns.find("Input", 60), 68u);
}

}  // namespace
}  // namespace roughpi
