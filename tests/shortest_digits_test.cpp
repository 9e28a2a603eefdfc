// The shortest digits of large results come from an internal interface of fmt; its public
// formatting of a double ("{}", the shortest round-trip decimal) must give the same digits. A
// newer fmt that changes the internal call fails here.
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#ifndef FMT_HEADER_ONLY
#define FMT_HEADER_ONLY
#endif
#include <fmt/format.h>

#include "panel/number_text.h"
#include "panel/shortest_digits.h"
#include "physics/float_bits.h"

namespace tarvel {
namespace {

// The significand and exponent of fmt's public text, whichever notation it chose.
DecimalDigits FromPublicText(const std::string& text) {
  DecimalDigits d{0, 0};
  std::size_t i = 0;
  bool after_point = false;
  for (; i < text.size() && text[i] != 'e'; ++i) {
    if (text[i] == '.') {
      after_point = true;
      continue;
    }
    d.significand = d.significand * 10 + static_cast<std::uint64_t>(text[i] - '0');
    if (after_point)
      --d.exponent;
  }
  if (i < text.size())
    d.exponent += std::stoi(text.substr(i + 1));
  while (d.significand != 0 && d.significand % 10 == 0) {
    d.significand /= 10;
    ++d.exponent;
  }
  return d;
}

TEST(ShortestDigits, AgreeWithFmtsPublicFormattingAndReadBack) {
  std::vector<double> values;
  for (int k = -1074; k <= 1023; ++k) {
    const double p = std::ldexp(1.0, k);
    values.insert(values.end(), {p, std::nextafter(p, 0.0), std::nextafter(p, HUGE_VAL)});
  }
  for (int k = -300; k <= 308; ++k)
    values.push_back(std::pow(10.0, k));
  std::mt19937_64 random(46);
  for (int i = 0; i < 20000; ++i) {
    const double x = DoubleFromBits(random() & 0x7fffffffffffffffu);
    values.push_back(x);
  }
  for (const double x : values) {
    if (!std::isfinite(x) || x == 0)
      continue;
    const std::string text = fmt::format("{}", x);
    const DecimalDigits ours = ShortestDigits(x);
    const DecimalDigits theirs = FromPublicText(text);
    ASSERT_EQ(ours.significand, theirs.significand) << text;
    ASSERT_EQ(ours.exponent, theirs.exponent) << text;
    ASSERT_NE(ours.significand % 10, 0u) << text;
    const std::string digits =
        std::to_string(ours.significand) + "e" + std::to_string(ours.exponent);
    ASSERT_EQ(BitsOf(ParseNumber(digits)), BitsOf(x)) << digits;
  }
}

}  // namespace
}  // namespace tarvel
