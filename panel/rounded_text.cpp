// Numbers rounded to one, two or three decimals: FormatRounded.
#include "panel/rounded_text.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "panel/decimal_digits.h"
#include "panel/number_text.h"
#include "panel/shortest_digits.h"
#include "physics/float_bits.h"

namespace tarvel {
namespace {

// For d decimals: 10^d, and the power of two from which on FormatRounded writes x itself.
struct Places {
  std::uint64_t scale;
  int exact_from;
};

// x = m * 2^e exactly, and its rounding to d decimals is N / 10^d with N the integer nearest to
// m * 10^d * 2^e (ties to even); the written value is r, the double nearest to N / 10^d. The
// reasoning is FormatNumber's (panel/number_writing.cpp) with 10^-d for 0.01:
//
// |x| < 2^T, T the largest with ulp(2^(T-1)) = 2^(T-53) < 10^-d (49, 46, 43 for d = 1, 2, 3):
// the largest double below 2^T rounds down, so |r| < 2^T and ulp(r) < 10^-d. The decimals that
// read back as r fill an interval no wider than ulp(r), which holds no multiple of 10^-d but
// N / 10^d, so the text of N / 10^d is the shortest form of r.
//
// |x| >= 2^T: ulp(x) >= 2^(T-52) >= 10^-d, so the halfway points to x's neighbours lie at least
// 10^-d / 2 away, further than N / 10^d (x = 2^k, whose lower neighbour is nearer, is whole, and
// N / 10^d = x). So r = x, written with the shortest digits of x and zeros up to the point.
constexpr Places kPlaces[] = {{10, 49}, {100, 46}, {1000, 43}};

}  // namespace

std::string FormatRounded(double x, int decimals) {
  const int d = std::clamp(decimals, 1, 3);
  const Places places = kPlaces[d - 1];
  if (!std::isfinite(x))
    return FormatNumber(x);  // named as the C library names it
  const BinaryParts parts = SplitBinary(x);
  char text[kNumberTextCapacity];
  char* p = text;
  if (parts.exponent >= places.exact_from - 52) {
    if (parts.negative)
      *p++ = '-';
    p = WritePlainDecimal(p, ShortestDigits(std::fabs(x)));
    return std::string(text, p);
  }

  // |x| < 2^T, so e = -k <= T - 53 (k >= 4, 7 or 10), and m * 10^d < 2^53 * 2^10 = 2^63.
  // N, in units of 10^-d:
  const std::uint64_t units = RoundToUnits(parts.significand, places.scale, -parts.exponent);
  if (units == 0)
    return "0";
  if (parts.negative)
    *p++ = '-';
  p = WriteUnsigned(p, units / places.scale);
  std::uint64_t fraction = units % places.scale;
  if (fraction != 0) {
    *p++ = '.';
    for (std::uint64_t digit = places.scale / 10; fraction != 0; digit /= 10) {
      *p++ = static_cast<char>('0' + fraction / digit);
      fraction %= digit;
    }
  }
  return std::string(text, p);
}

}  // namespace tarvel
