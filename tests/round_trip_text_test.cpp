// The text a number is typed as by a program: it reads back as exactly that double, with the
// fewest digits, laid out as Python's repr lays them out.

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "panel/number_text.h"
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

}  // namespace
}  // namespace tarvel
