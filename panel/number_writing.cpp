// Writing results as field text (FormatNumber) and numbers as the text that reads back exactly
// (RoundTripText).
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "panel/decimal_digits.h"
#include "panel/number_text.h"
#include "panel/shortest_digits.h"
#include "physics/float_bits.h"

namespace tarvel {
namespace {

// Writes ±hundredths / 100 with no trailing zeros and no decimal point for a whole number; "0",
// never "-0", for none. Returns the length.
std::size_t WriteHundredths(char* out, bool negative, std::uint64_t hundredths) {
  char* p = out;
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

// Writes ±millionths / 10^6 as WriteHundredths writes hundredths: the whole part, then the
// decimals up to the last one that is not zero. `millionths` is not zero.
std::size_t WriteMillionths(char* out, bool negative, std::uint64_t millionths) {
  char* p = out;
  if (negative)
    *p++ = '-';
  p = WriteUnsigned(p, millionths / 1'000'000);
  if (const auto fraction = static_cast<std::uint32_t>(millionths % 1'000'000); fraction != 0) {
    *p++ = '.';
    std::memcpy(p, &kDigitPairs[2 * (fraction / 10'000)], 2);
    std::memcpy(p + 2, &kDigitPairs[2 * (fraction / 100 % 100)], 2);
    std::memcpy(p + 4, &kDigitPairs[2 * (fraction % 100)], 2);
    p += 6;
    while (p[-1] == '0')
      --p;
  }
  return static_cast<std::size_t>(p - out);
}

}  // namespace

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
//
// The value the text reads as follows from the same cases. A name, "nan", "inf" or "-inf", holds
// no digit and reads as 0. The shortest digits of |x| read back as |x|, so the text of a large x
// reads as x. Below 2^46 the text is N / 100 with its trailing zeros dropped, at most 16 digits:
// the reader takes them as an integer exact in a double and one division or none by a power of
// ten, which gives the double nearest to N / 100 whatever zeros were dropped. N < 2^53 is itself
// exact, so N / 100.0, one rounded division, is that same double; negated unless N is 0, which is
// written "0".
FormattedNumber FormatNumberWithValue(double x, char* out) {
  const BinaryParts parts = SplitBinary(x);
  const bool negative = parts.negative;
  char* p = out;

  if (!std::isfinite(x)) {  // named as the C library names it
    if (negative)
      *p++ = '-';
    const std::string_view name = std::isnan(x) ? "nan" : "inf";
    for (const char c : name)
      *p++ = c;
    return {static_cast<std::size_t>(p - out), 0.0};
  }

  if (parts.exponent >= 46 - 52) {  // |x| >= 2^46
    if (negative)
      *p++ = '-';
    p = WritePlainDecimal(p, ShortestDigits(negative ? -x : x));
    return {static_cast<std::size_t>(p - out), x};
  }

  // |x| < 2^46, so e = -k <= -7, and m * 100 < 2^60.
  const std::uint64_t hundredths = RoundToUnits(parts.significand, 100, -parts.exponent);
  const double value = static_cast<double>(hundredths) / 100;
  return {WriteHundredths(out, negative, hundredths), negative && hundredths != 0 ? -value : value};
}

std::size_t FormatNumber(double x, char* out) {
  return FormatNumberWithValue(x, out).length;
}

std::string FormatNumber(double x) {
  char buffer[kNumberTextCapacity];
  return std::string(buffer, FormatNumber(x, buffer));
}

// When x is the double nearest to a number of millionths N / 10^6, |x| from 10^-4 to below 2^32,
// that decimal is x's shortest, by the argument FormatNumber makes for hundredths: the decimals
// that read back as x span at most ulp(x) <= 2^-21 < 10^-6, so every other decimal as short would
// be another multiple of 10^-6 (or a power of ten beyond N / 10^6) inside that span. From 10^-4
// on it is laid out plainly. Most numbers that programs hand over are such (two decimals, or up
// to six from a logger or a unit conversion), so they take this road: a candidate N from x * 10^6
// is kept only when N / 10^6, correctly rounded by the division (N < 2^53 is exact), gives x back,
// and a candidate that passes is that one multiple. From 2^32 to 2^46 the same holds for
// hundredths (ulp(x) <= 2^-7 < 0.01).
std::size_t RoundTripText(double x, char* out) {
  const bool negative = std::signbit(x);
  const double magnitude = negative ? -x : x;
  if (magnitude >= 1e-4 && magnitude < 0x1p32) {
    const auto millionths = static_cast<std::uint64_t>(magnitude * 1e6 + 0.5);
    if (static_cast<double>(millionths) / 1e6 == magnitude)
      return WriteMillionths(out, negative, millionths);
  } else if (magnitude >= 0x1p32 && magnitude < 0x1p46) {
    const auto hundredths = static_cast<std::uint64_t>(magnitude * 100 + 0.5);
    if (static_cast<double>(hundredths) / 100 == magnitude)
      return WriteHundredths(out, negative, hundredths);
  }
  char* p = out;
  if (negative)
    *p++ = '-';
  if (magnitude == 0) {
    *p++ = '0';
    return static_cast<std::size_t>(p - out);
  }
  const DecimalDigits digits = ShortestDigits(magnitude);
  char text[20];
  const int count = static_cast<int>(WriteUnsigned(text, digits.significand) - text);
  const int whole_digits = count + digits.exponent;  // digits before the decimal point
  if (whole_digits > -4 && whole_digits <= 16)
    return static_cast<std::size_t>(WritePlainDecimal(p, digits) - out);
  *p++ = text[0];
  if (count > 1) {
    *p++ = '.';
    for (int i = 1; i < count; ++i)
      *p++ = text[i];
  }
  const int exponent = whole_digits - 1;
  *p++ = 'e';
  *p++ = exponent < 0 ? '-' : '+';
  const int size = exponent < 0 ? -exponent : exponent;
  if (size < 10)
    *p++ = '0';
  p = WriteUnsigned(p, static_cast<std::uint64_t>(size));
  return static_cast<std::size_t>(p - out);
}

std::string RoundTripText(double x) {
  char buffer[kRoundTripTextCapacity];
  return std::string(buffer, RoundTripText(x, buffer));
}

}  // namespace tarvel
