// Writing results as field text: FormatNumber.
#include <cmath>
#include <cstdint>
#include <string>

#include "panel/decimal_digits.h"
#include "panel/number_text.h"
#include "panel/shortest_digits.h"
#include "physics/float_bits.h"

namespace tarvel {

// x = m * 2^e exactly. Its two-decimal rounding is N / 100 with N the integer nearest to
// m * 100 * 2^e (ties to even), and the written value is r, the double nearest to N / 100.
//
// |x| < 2^46: then N / 100 <= 2^46 - 0.01, so |r| < 2^46 and ulp(r) <= 2^-7 < 0.01. The decimals
// that read back as r fill an interval no wider than ulp(r), which therefore holds no multiple of
// 0.01 but N / 100. A decimal with no more significant digits than N / 100 and the same leading
// digit position is such a multiple; one whose leading digit stands one place lower would need
// the interval to reach across a power of ten 10^p <= N / 100, and then N / 100 = 10^p, a single
// digit. So the text of N / 100 is the shortest form of r, and it is written with no conversion.
//
// |x| >= 2^46: then ulp(x) >= 2^-6. N / 100 lies within 0.005 of x, and x's neighbours lie at
// least 2^-6 away, so the halfway points to them lie further than 0.005 (x = 2^k with k >= 46 is
// whole, and N / 100 = x). So r = x, written with the shortest digits of x and, where those end
// before the decimal point, zeros up to it.
std::size_t FormatNumber(double x, char* out) {
  const BinaryParts parts = SplitBinary(x);
  const bool negative = parts.negative;
  char* p = out;

  if (!std::isfinite(x)) {  // named as the C library names it
    if (negative)
      *p++ = '-';
    const std::string_view name = std::isnan(x) ? "nan" : "inf";
    for (const char c : name)
      *p++ = c;
    return static_cast<std::size_t>(p - out);
  }

  if (parts.exponent >= 46 - 52) {  // |x| >= 2^46
    if (negative)
      *p++ = '-';
    p = WritePlainDecimal(p, ShortestDigits(negative ? -x : x));
    return static_cast<std::size_t>(p - out);
  }

  // |x| < 2^46, so e <= -7; m * 100 < 2^60, and from e < -60 on m * 100 * 2^e < 1/2.
  const std::uint64_t m = parts.significand;
  const int k = -parts.exponent;  // e = -k
  std::uint64_t hundredths = 0;
  if (k <= 60) {
    const std::uint64_t scaled = m * 100;
    hundredths = scaled >> k;
    const std::uint64_t rest = scaled & ((std::uint64_t{1} << k) - 1);
    const std::uint64_t half = std::uint64_t{1} << (k - 1);
    if (rest > half || (rest == half && (hundredths & 1) != 0))
      ++hundredths;
  }
  if (hundredths == 0) {
    *p++ = '0';
    return 1;
  }
  if (negative)
    *p++ = '-';
  p = WriteUnsigned(p, hundredths / 100);
  if (const auto cents = static_cast<int>(hundredths % 100); cents != 0) {
    *p++ = '.';
    *p++ = static_cast<char>('0' + cents / 10);
    if (cents % 10 != 0)
      *p++ = static_cast<char>('0' + cents % 10);
  }
  return static_cast<std::size_t>(p - out);
}

std::string FormatNumber(double x) {
  char buffer[kNumberTextCapacity];
  return std::string(buffer, FormatNumber(x, buffer));
}

}  // namespace tarvel
