#include "ui/number_text.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>

#include <fast_float/fast_float.h>
// fmt is used for its shortest-digits conversion alone, compiled into this file: no library to
// link, so the WebAssembly build needs nothing but the headers.
#ifndef FMT_HEADER_ONLY
#define FMT_HEADER_ONLY
#endif
#include <fmt/format.h>

#include "physics/float_bits.h"

namespace tarvel {
namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// Blanks, tabs and line feeds are skipped before a number and ignored inside it.
bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
char Lower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// A cursor over the text that steps over ignorable blanks.
class Reader {
 public:
  explicit Reader(std::string_view text) : text_(text) {}
  // The next character that is not a blank, or '\0' at the end; does not consume it.
  char Peek() {
    while (pos_ < text_.size() && IsBlank(text_[pos_]))
      ++pos_;
    return pos_ < text_.size() ? text_[pos_] : '\0';
  }
  void Next() { ++pos_; }
  std::size_t Position() const { return pos_; }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

int HexDigitValue(char c) {
  c = Lower(c);
  if (IsDigit(c))
    return c - '0';
  if (c >= 'a' && c <= 'f')
    return c - 'a' + 10;
  return -1;
}

// The double nearest to the integer top * 2^dropped + rest, where 0 <= rest < 2^dropped and
// `sticky` tells whether rest is non-zero; ties to even, infinity beyond the largest double.
// Whenever dropped > 0, top holds at least 60 bits, so the bit that decides the rounding and
// those below it that break a tie are in top or in sticky.
double NearestToInteger(std::uint64_t top, std::uint64_t dropped, bool sticky) {
  if (top == 0)
    return 0;
  const int width = 64 - std::countl_zero(top);
  if (width <= 53 && dropped == 0)
    return static_cast<double>(top);  // exact
  const int shift = width - 53;       // at least 7 here
  std::uint64_t mantissa = top >> shift;
  const std::uint64_t rest = top & ((std::uint64_t{1} << shift) - 1);
  const std::uint64_t half = std::uint64_t{1} << (shift - 1);
  if (rest > half || (rest == half && (sticky || (mantissa & 1) != 0)))
    ++mantissa;
  std::uint64_t exponent = static_cast<std::uint64_t>(shift) + dropped;
  if (mantissa >> 53 != 0) {  // rounded up to the next power of two
    mantissa >>= 1;
    ++exponent;
  }
  // The value is mantissa * 2^exponent with 2^52 <= mantissa < 2^53; the largest double has
  // exponent 1023 - 52.
  if (exponent > 1023 - 52)
    return kInfinity;
  const std::uint64_t biased = exponent + 52 + 1023;
  return DoubleFromBits((biased << 52) | (mantissa & ((std::uint64_t{1} << 52) - 1)));
}

// &H or &O followed by hexadecimal or octal digits: a non-negative integer, rounded to the nearest
// double from its exact value however many digits it has.
double ParseRadixInteger(Reader& reader, int radix) {
  const int digit_bits = radix == 16 ? 4 : 3;
  std::uint64_t top = 0;      // the leading binary digits, fewer than 64
  std::uint64_t dropped = 0;  // how many binary digits follow them (counted up to a bound)
  bool sticky = false;        // whether any of those is 1
  constexpr std::uint64_t kBeyondAnyDouble = 2048;
  for (char c = reader.Peek(); c != '\0'; c = reader.Peek()) {
    const int v = HexDigitValue(c);
    if (v < 0 || v >= radix)
      break;
    reader.Next();
    if (top >> (63 - digit_bits) == 0) {
      top = (top << digit_bits) | static_cast<std::uint64_t>(v);
    } else {
      sticky = sticky || v != 0;
      if (dropped < kBeyondAnyDouble)
        dropped += static_cast<std::uint64_t>(digit_bits);
    }
  }
  return NearestToInteger(top, dropped, sticky);
}

// 10^0 to 10^22, every one an exact double.
constexpr double kExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                        1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// Significant digits beyond this many cannot change the nearest double once they are replaced by
// a single non-zero digit. A point halfway between two doubles has at most 768 significant
// decimal digits (the longest, below the smallest normal double, is an odd multiple of 2^-1075).
// A number cut after kMaxDigits digits, with non-zero digits cut off, lies strictly between the
// cut and the cut plus one unit of its last digit; no halfway point lies strictly between those
// two, so the number and its stand-in, the cut followed by a 1, round to the same double.
constexpr std::size_t kMaxDigits = 800;

// "00" to "99", so that digits are written two at a time.
constexpr auto kDigitPairs = [] {
  std::array<char, 200> pairs{};
  for (int i = 0; i < 100; ++i) {
    pairs[2 * i] = static_cast<char>('0' + i / 10);
    pairs[2 * i + 1] = static_cast<char>('0' + i % 10);
  }
  return pairs;
}();

// Writes the decimal digits of v, returns the end.
char* WriteUnsigned(char* out, std::uint64_t v) {
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

// The nearest double to the decimal 0.d1d2d3... * 10^(magnitude + 1) whose significant digits
// d1 (not 0) to dn (not 0) are the first `count` digits of text from position `first`, between
// which only blanks and a decimal point may stand. magnitude lies in [-324, 308].
double NearestToDecimal(std::string_view text, std::size_t first, std::size_t count,
                        std::int64_t magnitude) {
  // d1, '.', up to kMaxDigits - 1 further digits, the stand-in 1, 'e', sign, three digits.
  char buffer[kMaxDigits + 8];
  char* out = buffer;
  const std::size_t kept = count < kMaxDigits ? count : kMaxDigits;
  std::size_t written = 0;
  for (std::size_t i = first; written < kept; ++i) {
    if (!IsDigit(text[i]))
      continue;
    *out++ = text[i];
    if (++written == 1)
      *out++ = '.';
  }
  if (count > kMaxDigits)
    *out++ = '1';  // stands for the non-zero digits left out
  *out++ = 'e';
  if (magnitude < 0) {
    *out++ = '-';
    magnitude = -magnitude;
  }
  out = WriteUnsigned(out, static_cast<std::uint64_t>(magnitude));
  double value = 0;
  fast_float::from_chars(buffer, out, value);
  return value;
}

// The digits of a decimal number as they are read, blanks skipped.
struct Digits {
  std::size_t count = 0;              // digits read from the first non-zero one on
  std::size_t significant = 0;        // ... up to the last non-zero one
  std::size_t first = 0;              // position in the text of the first non-zero digit
  std::uint64_t integer = 0;          // the digits from it as an integer, while at most 19
  std::int64_t fraction_digits = 0;   // digits after the decimal point (with leading zeros)
  std::int64_t leading_fraction = 0;  // where the first non-zero digit stands among those

  // Reads a run of digits; true when there was at least one.
  bool ReadRun(Reader& reader, bool fraction) {
    bool any = false;
    for (char c = reader.Peek(); IsDigit(c); c = reader.Peek()) {
      any = true;
      if (fraction)
        ++fraction_digits;
      if (count != 0 || c != '0') {
        if (count == 0) {
          first = reader.Position();
          leading_fraction = fraction_digits;
        }
        ++count;
        if (c != '0')
          significant = count;
        if (count <= 19)
          integer = integer * 10 + static_cast<std::uint64_t>(c - '0');
      }
      reader.Next();
    }
    return any;
  }
};

// An optional sign, decimal digits with '.' as the decimal point and an optional exponent
// introduced by E or D.
double ParseDecimal(std::string_view text, Reader& reader) {
  bool negative = false;
  if (const char c = reader.Peek(); c == '+' || c == '-') {
    negative = c == '-';
    reader.Next();
  }

  Digits digits;
  bool seen_digit = digits.ReadRun(reader, false);
  const std::size_t integer_digits = digits.count;  // significant digits before the point
  if (reader.Peek() == '.') {
    reader.Next();
    seen_digit = digits.ReadRun(reader, true) || seen_digit;
  }
  if (!seen_digit)
    return 0;
  const bool seen_significant = digits.count != 0;
  // Decimal exponent of the first significant digit.
  const std::int64_t leading_exponent =
      integer_digits > 0 ? static_cast<std::int64_t>(integer_digits) - 1 : -digits.leading_fraction;

  // The exponent counts only when at least one digit follows E or D and its sign. Its value
  // stops growing once it is far beyond any double's.
  std::int64_t exponent = 0;
  if (const char c = Lower(reader.Peek()); c == 'e' || c == 'd') {
    reader.Next();
    bool exponent_negative = false;
    if (const char s = reader.Peek(); s == '+' || s == '-') {
      exponent_negative = s == '-';
      reader.Next();
    }
    constexpr std::int64_t kSaturated = std::int64_t{1} << 50;
    for (char d = reader.Peek(); IsDigit(d); d = reader.Peek()) {
      if (exponent < kSaturated)
        exponent = exponent * 10 + (d - '0');
      reader.Next();
    }
    if (exponent_negative)
      exponent = -exponent;
  }

  double value = 0;
  if (seen_significant) {
    // The number lies in [10^magnitude, 10^(magnitude + 1)). From 10^309 on it is beyond the
    // largest double (about 1.8 * 10^308); below 10^-324 it is under half the smallest
    // subnormal (about 4.9 * 10^-324) and rounds to zero. Between them the nearest double
    // decides, and that is an infinity only for an overflow (magnitude 308) and zero only for an
    // underflow (magnitude -324).
    const std::int64_t magnitude = leading_exponent + exponent;
    // The number is also integer * 10^scale. When both integer and 10^|scale| are exact doubles
    // (up to 2^53 and 10^22), one multiplication or division, rounded once, gives the nearest
    // double: the common case of a short number, with no text to gather.
    const std::int64_t scale = exponent - digits.fraction_digits;
    constexpr std::uint64_t kExactIntegers = std::uint64_t{1} << 53;
    if (magnitude > 308) {
      value = kInfinity;
    } else if (digits.count <= 19 && digits.integer <= kExactIntegers && scale >= -22 &&
               scale <= 22) {
      const double power = kExactPowersOfTen[scale < 0 ? -scale : scale];
      const auto whole = static_cast<double>(digits.integer);
      value = scale < 0 ? whole / power : whole * power;
    } else if (magnitude >= -324) {
      value = NearestToDecimal(text, digits.first, digits.significant, magnitude);
    }
  }
  return negative ? -value : value;
}

// The text almost every field holds: an optional sign and at most 19 digits with at most one
// decimal point, nothing else, and at least one digit. Its value is integer / 10^fraction_digits
// with both exact doubles, one division rounded once: what the general reader gives for the same
// text, without its blank-skipping cursor. Any other text returns false and goes the general way.
bool ParsePlainDecimal(std::string_view text, double& value) {
  std::size_t i = 0;
  const bool negative = !text.empty() && text[0] == '-';
  if (!text.empty() && (text[0] == '-' || text[0] == '+'))
    ++i;
  std::uint64_t integer = 0;
  int digits = 0;
  int fraction_digits = -1;  // -1 until the decimal point
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (IsDigit(c)) {
      if (++digits > 19)
        return false;
      integer = integer * 10 + static_cast<std::uint64_t>(c - '0');
      if (fraction_digits >= 0)
        ++fraction_digits;
    } else if (c == '.' && fraction_digits < 0) {
      fraction_digits = 0;
    } else {
      return false;
    }
  }
  if (digits == 0 || integer > (std::uint64_t{1} << 53))
    return false;
  const auto whole = static_cast<double>(integer);
  value = fraction_digits > 0 ? whole / kExactPowersOfTen[fraction_digits] : whole;
  if (negative)
    value = -value;
  return true;
}

}  // namespace

double ParseNumber(std::string_view text) {
  if (double value; ParsePlainDecimal(text, value))
    return value;
  Reader reader(text);
  if (reader.Peek() == '&') {
    reader.Next();
    const char prefix = Lower(reader.Peek());
    if (prefix != 'h' && prefix != 'o')
      return 0;
    reader.Next();
    return ParseRadixInteger(reader, prefix == 'h' ? 16 : 8);
  }
  return ParseDecimal(text, reader);
}

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
  const std::uint64_t bits = BitsOf(x);
  const bool negative = (bits >> 63) != 0;
  const int biased = static_cast<int>((bits >> 52) & 0x7ff);
  char* p = out;

  if (biased == 0x7ff) {  // not finite: named as the C library names it
    if (negative)
      *p++ = '-';
    const std::string_view name = (bits & ((std::uint64_t{1} << 52) - 1)) != 0 ? "nan" : "inf";
    for (const char c : name)
      *p++ = c;
    return static_cast<std::size_t>(p - out);
  }

  if (biased >= 1023 + 46) {
    const auto shortest = fmt::detail::dragonbox::to_decimal(negative ? -x : x);
    char digits[20];
    char* const digits_end = WriteUnsigned(digits, shortest.significand);
    const int count = static_cast<int>(digits_end - digits);
    // The shortest digits of a value of 2^46 or more have at least one digit before the point.
    const int whole_digits = count + shortest.exponent;
    if (negative)
      *p++ = '-';
    for (int i = 0; i < count; ++i) {
      if (i == whole_digits)
        *p++ = '.';
      *p++ = digits[i];
    }
    for (int i = count; i < whole_digits; ++i)
      *p++ = '0';
    return static_cast<std::size_t>(p - out);
  }

  // |x| < 2^46, so e <= -7; m * 100 < 2^60, and from e < -60 on m * 100 * 2^e < 1/2.
  const std::uint64_t m =
      (bits & ((std::uint64_t{1} << 52) - 1)) | (biased != 0 ? std::uint64_t{1} << 52 : 0);
  const int k = biased != 0 ? 1075 - biased : 1074;  // e = -k
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
