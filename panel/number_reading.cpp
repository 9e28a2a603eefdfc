// Reading numbers from field text: ParseNumber.
#include <bit>
#include <cstdint>
#include <limits>

#include <fast_float/fast_float.h>

#include "panel/decimal_digits.h"
#include "panel/number_text.h"
#include "physics/elementary/rounding.h"

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

// &H or &O followed by hexadecimal or octal digits: a non-negative integer, rounded to the nearest
// double from its exact value however many digits it has.
double ParseRadixInteger(Reader& reader, int radix) {
  const int digit_bits = radix == 16 ? 4 : 3;
  std::uint64_t top = 0;  // the leading binary digits from the first 1 on, at most 64 of them
  int length = 0;         // how many binary digits top holds
  int dropped = 0;        // how many follow them (counted up to a bound)
  bool sticky = false;    // whether any of those is 1
  constexpr int kBeyondAnyDouble = 2048;
  for (char c = reader.Peek(); c != '\0'; c = reader.Peek()) {
    const int v = HexDigitValue(c);
    if (v < 0 || v >= radix)
      break;
    reader.Next();
    const auto bits = static_cast<std::uint64_t>(v);
    if (length + digit_bits <= 64) {
      top = (top << digit_bits) | bits;
      length = top == 0 ? 0 : 64 - std::countl_zero(top);
      continue;
    }
    // The digit's leading bits fill top up to 64, the others only count.
    const int room = 64 - length;
    const int rest = digit_bits - room;
    top = (top << room) | (bits >> rest);
    length = 64;
    sticky = sticky || (bits & ((std::uint64_t{1} << rest) - 1)) != 0;
    if (dropped < kBeyondAnyDouble)
      dropped += rest;
  }
  if (top == 0)
    return 0;
  // The integer is top · 2^dropped + (bits below, which only `sticky` tells of); top's leading bit
  // is bit 63 whenever dropped > 0.
  const int shift = std::countl_zero(top);
  return elementary::RoundToDouble(false, top << shift, sticky, 63 - shift + dropped);
}

// 10^0 to 10^22, every one an exact double.
constexpr double kExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                        1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// integer · 10^scale, rounded once, when both factors are exact doubles (integer up to 2^53,
// |scale| up to 22): then one multiplication or division gives the nearest double. The common case
// of a short number takes this road, with no text to gather. False, and value untouched, otherwise.
bool ExactDecimal(std::uint64_t integer, std::int64_t scale, double& value) {
  constexpr std::uint64_t kExactIntegers = std::uint64_t{1} << 53;
  if (integer > kExactIntegers || scale < -22 || scale > 22)
    return false;
  const double power = kExactPowersOfTen[scale < 0 ? -scale : scale];
  const auto whole = static_cast<double>(integer);
  value = scale < 0 ? whole / power : whole * power;
  return true;
}

// Significant digits beyond this many cannot change the nearest double once they are replaced by
// a single non-zero digit. A point halfway between two doubles has at most 768 significant
// decimal digits (the longest, below the smallest normal double, is an odd multiple of 2^-1075).
// A number cut after kMaxDigits digits, with non-zero digits cut off, lies strictly between the
// cut and the cut plus one unit of its last digit; no halfway point lies strictly between those
// two, so the number and its stand-in, the cut followed by a 1, round to the same double.
constexpr std::size_t kMaxDigits = 800;

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
    // The number is also integer * 10^scale, which is often exact enough for one operation.
    const std::int64_t scale = exponent - digits.fraction_digits;
    if (magnitude > 308) {
      value = kInfinity;
    } else if (!(digits.count <= 19 && ExactDecimal(digits.integer, scale, value)) &&
               magnitude >= -324) {
      value = NearestToDecimal(text, digits.first, digits.significant, magnitude);
    }
  }
  return negative ? -value : value;
}

// The text almost every field holds: an optional sign and at most 19 digits with at most one
// decimal point, nothing else, and at least one digit. Its value is integer / 10^fraction_digits,
// rounded as the general reader's exact road rounds it, without its blank-skipping cursor. Any
// other text, or one too long for that road, returns false and goes the general way.
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
  if (digits == 0 || !ExactDecimal(integer, fraction_digits > 0 ? -fraction_digits : 0, value))
    return false;
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

}  // namespace tarvel
