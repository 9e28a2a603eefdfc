#pragma once

#include <cstdint>

namespace tarvel {

// A decimal significand and the power of ten of its last digit: significand · 10^exponent.
struct DecimalDigits {
  std::uint64_t significand;  // at most 17 digits, no trailing zero digit
  int exponent;
};

// The shortest decimal that reads back as x (finite, positive), and of those the nearest to x.
DecimalDigits ShortestDigits(double x);

}  // namespace tarvel
