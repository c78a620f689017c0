// The printed table, captured byte for byte.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "app/benchmark_driver.h"
#include "read_back.h"

namespace roughpi {
namespace {

// Captures what a function writes to a FILE*.
template <typename Write>
std::string capture(Write write) {
  std::FILE* f = std::tmpfile();
  EXPECT_NE(f, nullptr);
  write(f);
  return read_back(f);
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

// A fake clock that returns programmed readings, one per call.
std::vector<std::int64_t> readings;
std::size_t next_reading = 0;
std::int64_t fake_clock() { return readings.at(next_reading++); }

std::string run_with_readings(std::vector<std::int64_t> clock_readings, int last_exponent) {
  readings = std::move(clock_readings);
  next_reading = 0;
  std::string text =
      capture([&](std::FILE* f) { EXPECT_EQ(run_benchmark(f, fake_clock, last_exponent), 0); });
  EXPECT_EQ(next_reading, readings.size()) << "one reading at the start and one per row";
  return text;
}

// Rows of 0, 1, 2, 0, 999, 2000 and 1999 ms: ratios after and of 0 ms rows
// print 0.000000, and seconds truncate (1999 ms is 1 s, 2000 ms is 2 s).
TEST(BenchmarkTable, FirstSevenRowsWithFakeClock) {
  const std::string text =
      run_with_readings({1000, 1000, 1001, 1003, 1003, 2002, 4002, 6001}, 7);
  const std::string expected =
      expected_header +
      "               10(10^ 1.0):                     4        0 :    0: x0.000000\n"
      "              100(10^ 2.0):                    25        1 :    0: x0.000000\n"
      "             1000(10^ 3.0):                   168        2 :    0: x2.000000\n"
      "            10000(10^ 4.0):                  1229        0 :    0: x0.000000\n"
      "           100000(10^ 5.0):                  9592      999 :    0: x0.000000\n"
      "          1000000(10^ 6.0):                 78498     2000 :    2: x2.002002\n"
      "         10000000(10^ 7.0):                664579     1999 :    1: x0.999500\n";
  EXPECT_EQ(text, expected);
}

// Readings that pass 2^31 ms: the difference is taken in 64 bits first.
TEST(BenchmarkTable, ClockPastThirtyTwoBits) {
  const std::int64_t start = INT32_MAX - 5;
  const std::string text = run_with_readings({start, start + 10, start + 30}, 2);
  EXPECT_NE(text.find("                     4       10 :    0: x0.000000\n"), std::string::npos);
  EXPECT_NE(text.find("                    25       20 :    0: x2.000000\n"), std::string::npos);
}

// Counts of 18 and 19 digits fit their field; x of 18 and 19 digits widen the
// row by one and two columns.
TEST(BenchmarkTable, WidestRows) {
  const double ln10 = std::log(10.0);
  const std::string row17 = capture([&](std::FILE* f) {
    EXPECT_TRUE(print_row_start(f, 100000000000000000, ln10));
    EXPECT_TRUE(print_row_end(f, 2623557157654233, 245678, 36500));
  });
  EXPECT_EQ(row17,
            "100000000000000000(10^17.0):      2623557157654233   245678 :  245: x6.730904\n");
  const std::string row18 = capture([&](std::FILE* f) {
    EXPECT_TRUE(print_row_start(f, 1000000000000000000, ln10));
    EXPECT_TRUE(print_row_end(f, 24739954287740860, 1654321, 245678));
  });
  EXPECT_EQ(row18,
            "1000000000000000000(10^18.0):     24739954287740860  1654321 : 1654: x6.733696\n");
  const std::string row16 = capture([&](std::FILE* f) {
    EXPECT_TRUE(print_row_start(f, 10000000000000000, ln10));
    EXPECT_TRUE(print_row_end(f, 279238341033925, 36500, 5400));
  });
  EXPECT_EQ(row16.size(), 77u);
  EXPECT_EQ(row16.find("279238341033925"), 49u - 15u);
  EXPECT_EQ(row17.size(), 78u);
  EXPECT_EQ(row18.size(), 79u);
}

}  // namespace
}  // namespace roughpi
