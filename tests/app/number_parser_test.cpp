// The command-line number grammar: accepted spellings with their values,
// rejected ones with their messages, and the overflow guards checked against
// powers computed independently in 128 bits.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "app/cli.h"

namespace roughpi {
namespace {

constexpr std::int64_t e18 = 1'000'000'000'000'000'000;
constexpr std::int64_t untouched = -12345;

struct Accepted {
  const char* text;
  std::int64_t value;
};

const Accepted accepted[] = {
    {"0", 0},
    {"1", 1},
    {"7", 7},
    {"000123", 123},
    {"1000000000000000000", e18},
    {"999999999999999999", e18 - 1},
    {"0000000000000000000000000000001000000000000000000", e18},  // zeros do not count toward the limit
    {"1e12", 1'000'000'000'000},
    {"1E3", 1000},
    {"25e2", 2500},
    {"0e5", 0},
    {"5e0", 5},
    {"1e18", e18},
    {"1e0000000000000000000000018", e18},
    {"1000000000e9", e18},
    {"0e99999999999999999999", 0},  // zero times any power of ten
    {"10^3", 1000},
    {"10^18", e18},
    {"2^59", std::int64_t{1} << 59},
    {"3^37", 450283905890997363},
    {"999999999999999999^1", e18 - 1},
    {"1^1000", 1},
    {"1^99999999999999999999", 1},
    {"0^5", 0},
    {"2^0", 1},
    {"99999999999999999999^0", 1},  // above the limit as a base, but the power is 1
};

TEST(ParseNumber, AcceptedForms) {
  for (const Accepted& c : accepted) {
    std::int64_t value = untouched;
    const char* problem = parse_number(c.text, value);
    EXPECT_EQ(problem, nullptr) << c.text << ": " << problem;
    EXPECT_EQ(value, c.value) << c.text;
  }
}

struct Rejected {
  const char* text;
  const char* problem;
};

const char* const not_number = "is not a number";
const char* const big = "is larger than 10^18";

const Rejected rejected[] = {
    {"", not_number},
    {" ", not_number},
    {" 5", not_number},
    {"5 ", not_number},
    {"5\n", not_number},
    {"+5", not_number},
    {"-5", not_number},
    {"-0", not_number},
    {"1.5", not_number},
    {"1.5e3", not_number},
    {"1e-3", not_number},
    {"1e+3", not_number},
    {"2^-1", not_number},
    {"0x10", not_number},
    {"1,000", not_number},
    {"1_000", not_number},
    {"1 000", not_number},
    {"100abc", not_number},
    {"abc", not_number},
    {"e3", not_number},
    {"^3", not_number},
    {"1e", not_number},
    {"10^", not_number},
    {"1e3e3", not_number},
    {"2^3^2", not_number},
    {"1e^3", not_number},
    {"1 e3", not_number},
    {"1d3", not_number},
    {"\xd9\xa1", not_number},  // ARABIC-INDIC DIGIT ONE is not an ASCII digit
    {"inf", not_number},
    {"99999999999999999999abc", not_number},  // the grammar is checked before the size
    {"1000000000000000001", big},
    {"99999999999999999999", big},
    {"100000000000000000000000000000000000000000", big},
    {"1e19", big},
    {"10e18", big},
    {"9e18", big},
    {"1000000000000000001e0", big},
    {"1e99999999999999999999", big},
    {"10^19", big},
    {"2^60", big},
    {"2^64", big},
    {"3^38", big},
    {"1000000000000000001^1", big},
    {"2^99999999999999999999", big},
    {"0^0", "is undefined"},
    {"000^000", "is undefined"},
};

TEST(ParseNumber, RejectedForms) {
  for (const Rejected& c : rejected) {
    std::int64_t value = untouched;
    const char* problem = parse_number(c.text, value);
    ASSERT_NE(problem, nullptr) << "'" << c.text << "' accepted as " << value;
    EXPECT_STREQ(problem, c.problem) << "'" << c.text << "'";
    EXPECT_EQ(value, untouched) << "'" << c.text << "'";
  }
}

// b^e and m e e for every small base and mantissa, against exact 128-bit
// arithmetic: either the exact value (when it is at most 10^18) or too large.
TEST(ParseNumber, PowersAgreeWithExactArithmetic) {
  const auto check = [](const std::string& text, __int128 exact) {
    std::int64_t value = untouched;
    const char* problem = parse_number(text.c_str(), value);
    if (exact <= e18) {
      EXPECT_EQ(problem, nullptr) << text;
      EXPECT_EQ(value, static_cast<std::int64_t>(exact)) << text;
    } else {
      EXPECT_STREQ(problem, big) << text;
    }
  };
  const auto exact_power = [](__int128 base, int exponent) {
    __int128 result = 1;
    // Stop once past the limit so the 128-bit value cannot overflow either.
    for (int e = 0; e < exponent && result <= e18; ++e) result *= base;
    return result;
  };
  for (int base = 1; base <= 1000; base += (base < 20 ? 1 : 37)) {
    for (int exponent = 0; exponent <= 70; ++exponent) {
      check(std::to_string(base) + "^" + std::to_string(exponent), exact_power(base, exponent));
    }
  }
  const std::int64_t mantissas[] = {1, 2, 9, 10, 11, 99, 123456789, 999999999999999999, e18};
  for (const std::int64_t m : mantissas) {
    for (int exponent = 0; exponent <= 25; ++exponent) {
      check(std::to_string(m) + "e" + std::to_string(exponent), m * exact_power(10, exponent));
    }
  }
}

}  // namespace
}  // namespace roughpi
