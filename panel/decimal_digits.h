#pragma once

#include <array>
#include <cstdint>
#include <cstring>

#include "panel/shortest_digits.h"

namespace tarvel {

// "00" to "99", so that digits are written two at a time.
inline constexpr auto kDigitPairs = [] {
  std::array<char, 200> pairs{};
  for (int i = 0; i < 100; ++i) {
    pairs[2 * i] = static_cast<char>('0' + i / 10);
    pairs[2 * i + 1] = static_cast<char>('0' + i % 10);
  }
  return pairs;
}();

// Writes the decimal digits of v (at most 20) and returns the end.
inline char* WriteUnsigned(char* out, std::uint64_t v) {
  int length = 1;
  for (std::uint64_t power = 10; length < 20 && v >= power; power *= 10)
    ++length;
  char* p = out + length;
  for (; v >= 100; v /= 100) {
    p -= 2;
    std::memcpy(p, &kDigitPairs[2 * (v % 100)], 2);
  }
  if (v >= 10) {
    std::memcpy(p - 2, &kDigitPairs[2 * v], 2);
  } else {
    p[-1] = static_cast<char>('0' + v);
  }
  return out + length;
}

// The integer nearest to m · scale · 2^−k, ties to even, for 1 ≤ k and m · scale < 2^63: the
// rounding of a double m · 2^−k to units of 1/scale. From k = 64 on that product is below 1/2,
// and the nearest integer 0.
//
// With s = m · scale = u · 2^k + r (0 ≤ r < 2^k) and h = 2^(k−1), the rounding adds 1 to u when
// r > h, or r = h and u is odd: when r + (u mod 2) > h, that is r + (u mod 2) + h − 1 ≥ 2^k. That
// sum is below 2^(k+1), so the shift adds at most 1: the result is (s + h − 1 + (u mod 2)) >> k,
// with no overflow (s < 2^63, h ≤ 2^62). It is added, not branched on: whether a number rounds up
// is as good as random from one number to the next, and a branch on it would be guessed wrongly
// half the time.
inline std::uint64_t RoundToUnits(std::uint64_t m, std::uint64_t scale, int k) {
  if (k >= 64)
    return 0;
  const std::uint64_t scaled = m * scale;
  const std::uint64_t odd = (scaled >> k) & 1;
  const std::uint64_t half = std::uint64_t{1} << (k - 1);
  return (scaled + (half - 1) + odd) >> k;
}

// Writes significand · 10^exponent in plain notation and returns the end: "0." and zeros before
// a value below 1, the decimal point inside the digits, or zeros up to the point after them.
inline char* WritePlainDecimal(char* out, DecimalDigits digits) {
  char text[20];
  const int count = static_cast<int>(WriteUnsigned(text, digits.significand) - text);
  const int whole_digits = count + digits.exponent;  // digits before the decimal point
  char* p = out;
  if (whole_digits <= 0) {
    *p++ = '0';
    *p++ = '.';
    for (int i = whole_digits; i < 0; ++i)
      *p++ = '0';
  }
  for (int i = 0; i < count; ++i) {
    if (i == whole_digits && i > 0)  // below 1 the point stands before the zeros
      *p++ = '.';
    *p++ = text[i];
  }
  for (int i = count; i < whole_digits; ++i)
    *p++ = '0';
  return p;
}

}  // namespace tarvel
