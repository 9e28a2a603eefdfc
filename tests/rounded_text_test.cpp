// FormatRounded: the calculator's writer at one, two or three decimals. At two it must be
// FormatNumber itself; at one and three the digits must be those of the exact binary value rounded
// half to even (std::to_chars), and every text must read back as the double it was written for.

#include <charconv>
#include <cmath>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "panel/number_text.h"
#include "panel/rounded_text.h"
#include "physics/standard_atmosphere.h"

namespace tarvel {
namespace {

// The exact value of x rounded to `decimals` places, ties to even, without trailing zeros.
std::string ExactRounding(double x, int decimals) {
  char buffer[400];
  const auto end =
      std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::fixed, decimals).ptr;
  std::string text(buffer, end);
  while (text.back() == '0')
    text.pop_back();
  if (text.back() == '.')
    text.pop_back();
  return text == "-0" ? "0" : text;
}

TEST(RoundedText, KnownValues) {
  EXPECT_EQ(FormatRounded(PressureAtAltitude(1000), 3), "89.875");
  EXPECT_EQ(FormatRounded(0.0625, 3), "0.062");  // ties go to the even digit
  EXPECT_EQ(FormatRounded(0.1875, 3), "0.188");
  EXPECT_EQ(FormatRounded(0.25, 1), "0.2");
  EXPECT_EQ(FormatRounded(-0.0004, 3), "0");  // never "-0"
  EXPECT_EQ(FormatRounded(0.8530233097312695, 3), "0.853");
  EXPECT_EQ(FormatRounded(101.325, 3), "101.325");
  EXPECT_EQ(FormatRounded(20, 3), "20");
  EXPECT_EQ(FormatRounded(1e20, 3), "100000000000000000000");
}

TEST(RoundedText, TwoDecimalsAreFormatNumberAndOthersTheExactRounding) {
  std::mt19937_64 random(25);
  std::uniform_real_distribution<double> magnitude(-8, 52 * std::log10(2.0));
  std::uniform_int_distribution<int> sixteenths(-100000, 100000);
  for (int i = 0; i < 300000; ++i) {
    // Any magnitude up to 2^52, and halves of thousandths (odd sixteenths) exactly.
    double x = i % 3 == 2 ? (2 * sixteenths(random) + 1) / 16.0
                          : std::pow(10.0, magnitude(random)) * (i % 2 ? -1 : 1);
    ASSERT_EQ(FormatRounded(x, 2), FormatNumber(x)) << x;
    for (int decimals : {1, 3}) {
      const std::string text = FormatRounded(x, decimals);
      const double limit = decimals == 1 ? 0x1p49 : 0x1p43;
      if (std::fabs(x) < limit) {
        ASSERT_EQ(text, ExactRounding(x, decimals)) << x;
      } else {
        ASSERT_EQ(ParseNumber(text), x) << x;  // large values are written as they are
      }
    }
  }
}

}  // namespace
}  // namespace tarvel
