// The text a number is typed as by a program: it reads back as exactly that double, with the
// fewest digits, laid out as Python's repr lays them out.

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "panel/decimal_digits.h"
#include "panel/number_text.h"
#include "panel/shortest_digits.h"
#include "physics/float_bits.h"

namespace tarvel {
namespace {

TEST(RoundTripText, TableOfValues) {
  const struct {
    double x;
    std::string_view text;
  } rows[] = {
      {20, "20"},
      {-2.5, "-2.5"},
      {0.1, "0.1"},
      {101.325, "101.325"},
      {0.30000000000000004, "0.30000000000000004"},
      {0, "0"},
      {-0.0, "-0"},
      {0.0001, "0.0001"},  // the smallest plain one
      {0.00001, "1e-05"},
      {1.5e-7, "1.5e-07"},
      {1e15, "1000000000000000"},
      {9999999999999998.0, "9999999999999998"},  // the largest plain one
      {1e16, "1e+16"},
      {123456789012345680.0, "1.2345678901234568e+17"},
      {1e100, "1e+100"},
      {std::numeric_limits<double>::max(), "1.7976931348623157e+308"},
      {std::numeric_limits<double>::denorm_min(), "5e-324"},
      {-2.2250738585072014e-308, "-2.2250738585072014e-308"},
      {0x1p46, "70368744177664"},
      {0.01, "0.01"},
      {0.015, "0.015"},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(RoundTripText(row.x), row.text) << testing::PrintToString(row.x);
  }
}

// Every binary exponent with a few mantissas, and hundredths with their neighbours: each text
// reads back as the same bits. (The Python module's tests compare the texts with Python's repr.)
TEST(RoundTripText, ReadsBackExactly) {
  std::vector<double> grid;
  for (std::uint64_t exponent = 0; exponent < 0x7ff; ++exponent) {
    for (const std::uint64_t mantissa :
         {0x0ULL, 0x1ULL, 0x5555555555555ULL, 0x8000000000000ULL, 0xfffffffffffffULL}) {
      grid.push_back(DoubleFromBits((exponent << 52) | mantissa));
    }
  }
  for (int scale = 0; scale <= 50; scale += 2) {
    for (int j = 0; j < 300; ++j)
      grid.push_back(std::ldexp(1.0, scale) + j / 100.0);
  }
  int mismatches = 0;
  for (const double value : grid) {
    for (const double x : {value, -value, NextUp(value), NextDown(value)}) {
      if (!std::isfinite(x))
        continue;
      const std::string text = RoundTripText(x);
      if (BitsOf(ParseNumber(text)) != BitsOf(x) && ++mismatches <= 10)
        ADD_FAILURE() << "x = " << testing::PrintToString(x) << ": written \"" << text << "\"";
    }
  }
  EXPECT_EQ(mismatches, 0);
}

// Numbers of one to six decimals, the texts programs hand over most, and their neighbours, from
// 10^-4 to 2^33 (past the end of the short road for millionths): each text is the shortest digits
// of its double laid out plainly, as the general conversion writes them.
TEST(RoundTripText, ShortDecimalsAreTheShortestDigits) {
  std::mt19937_64 random(7);
  std::vector<double> grid = {1e-4, 0x1p32, NextDown(0x1p32), 0.000999999, 4294967295.999999};
  for (int decimals = 1; decimals <= 6; ++decimals) {
    const double scale = std::pow(10.0, decimals);
    for (const double top : {1e-3, 1.0, 100.0, 1e5, 0x1p33}) {
      std::uniform_real_distribution<double> spread(0, top * scale);
      for (int j = 0; j < 2000; ++j)
        grid.push_back(std::round(spread(random)) / scale);
    }
  }
  int mismatches = 0;
  for (const double value : grid) {
    for (const double x : {value, -value, NextUp(value), NextDown(value)}) {
      const double magnitude = std::fabs(x);
      if (magnitude < 1e-4 || magnitude >= 1e16)
        continue;
      char shortest[40];
      char* end = shortest;
      if (x < 0)
        *end++ = '-';
      end = WritePlainDecimal(end, ShortestDigits(magnitude));
      const std::string expected(shortest, end);
      if (RoundTripText(x) != expected && ++mismatches <= 10)
        ADD_FAILURE() << "x = " << testing::PrintToString(x) << ": written \"" << RoundTripText(x)
                      << "\", shortest \"" << expected << "\"";
    }
  }
  EXPECT_EQ(mismatches, 0);
}

}  // namespace
}  // namespace tarvel
