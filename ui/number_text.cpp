#include "ui/number_text.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <limits>
#include <string>
#include <system_error>

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
  void Rewind(std::size_t pos) { pos_ = pos; }

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

// An integer of `digits` (hexadecimal digit characters, no leading zeros) read as the nearest
// double; too many digits for a double read as infinity.
double FromHexDigits(const std::string& digits) {
  if (digits.empty())
    return 0;
  double value = 0;
  const auto result =
      std::from_chars(digits.data(), digits.data() + digits.size(), value, std::chars_format::hex);
  if (result.ec == std::errc::result_out_of_range)
    return kInfinity;
  return value;
}

// &H or &O followed by hexadecimal or octal digits: a non-negative integer.
double ParseRadixInteger(Reader& reader, int radix) {
  std::string bits;  // octal digits become three binary digits each
  std::string hex;
  for (char c = reader.Peek(); c != '\0'; c = reader.Peek()) {
    const int v = HexDigitValue(c);
    if (v < 0 || v >= radix)
      break;
    reader.Next();
    if (radix == 16) {
      if (!hex.empty() || v != 0)
        hex.push_back(c);
    } else {
      for (int shift = 2; shift >= 0; --shift)
        bits.push_back(((v >> shift) & 1) ? '1' : '0');
    }
  }
  if (radix == 8) {
    const std::size_t first_one = bits.find('1');
    if (first_one == std::string::npos)
      return 0;
    bits.erase(0, first_one);
    bits.insert(0, (4 - bits.size() % 4) % 4, '0');
    for (std::size_t i = 0; i < bits.size(); i += 4) {
      const int v = (bits[i] - '0') * 8 + (bits[i + 1] - '0') * 4 + (bits[i + 2] - '0') * 2 +
                    (bits[i + 3] - '0');
      hex.push_back("0123456789abcdef"[v]);
    }
  }
  return FromHexDigits(hex);
}

// An optional sign, decimal digits with '.' as the decimal point and an optional exponent
// introduced by E or D.
double ParseDecimal(Reader& reader) {
  bool negative = false;
  if (const char c = reader.Peek(); c == '+' || c == '-') {
    negative = c == '-';
    reader.Next();
  }

  std::string mantissa;
  bool seen_point = false;
  bool seen_digit = false;
  // Decimal exponent of the first significant digit, to tell an overflow from an underflow.
  std::int64_t leading_exponent = 0;
  bool seen_significant = false;
  std::int64_t integer_digits = 0;
  std::int64_t fraction_zeros = 0;
  for (char c = reader.Peek(); c != '\0'; c = reader.Peek()) {
    if (IsDigit(c)) {
      seen_digit = true;
      mantissa.push_back(c);
      if (!seen_point) {
        if (seen_significant || c != '0')
          ++integer_digits;
      } else if (!seen_significant && c == '0') {
        ++fraction_zeros;
      }
      if (c != '0' && !seen_significant) {
        seen_significant = true;
        leading_exponent = seen_point ? -(fraction_zeros + 1) : 0;
      }
    } else if (c == '.' && !seen_point) {
      seen_point = true;
      mantissa.push_back(c);
    } else {
      break;
    }
    reader.Next();
  }
  if (!seen_digit)
    return 0;
  if (seen_significant && integer_digits > 0)
    leading_exponent = integer_digits - 1;

  // The exponent counts only when at least one digit follows E or D and its sign.
  std::int64_t exponent = 0;
  if (const char c = Lower(reader.Peek()); c == 'e' || c == 'd') {
    const std::size_t before_exponent = reader.Position();
    reader.Next();
    bool exponent_negative = false;
    if (const char s = reader.Peek(); s == '+' || s == '-') {
      exponent_negative = s == '-';
      reader.Next();
    }
    bool exponent_digits = false;
    constexpr std::int64_t kSaturated = std::int64_t{1} << 50;
    for (char d = reader.Peek(); IsDigit(d); d = reader.Peek()) {
      exponent_digits = true;
      if (exponent < kSaturated)
        exponent = exponent * 10 + (d - '0');
      reader.Next();
    }
    if (exponent_digits) {
      if (exponent_negative)
        exponent = -exponent;
    } else {
      exponent = 0;
      reader.Rewind(before_exponent);
    }
  }

  double value = 0;
  if (seen_significant) {
    // An exponent far beyond the length of the digits decides the result on its own.
    const auto reach = static_cast<std::int64_t>(mantissa.size()) + 400;
    if (exponent > reach) {
      value = kInfinity;
    } else if (exponent >= -reach) {
      std::string number = mantissa;
      std::array<char, 24> exponent_text{};
      const auto written = std::to_chars(exponent_text.data(),
                                         exponent_text.data() + exponent_text.size(), exponent);
      number.push_back('e');
      number.append(exponent_text.data(), written.ptr);
      const auto result = std::from_chars(number.data(), number.data() + number.size(), value,
                                          std::chars_format::general);
      if (result.ec == std::errc::result_out_of_range) {
        value = leading_exponent + exponent > 0 ? kInfinity : 0.0;
      }
    }
  }
  return negative ? -value : value;
}

}  // namespace

double ParseNumber(std::string_view text) {
  Reader reader(text);
  if (reader.Peek() == '&') {
    reader.Next();
    const char prefix = Lower(reader.Peek());
    if (prefix != 'h' && prefix != 'o')
      return 0;
    reader.Next();
    return ParseRadixInteger(reader, prefix == 'h' ? 16 : 8);
  }
  return ParseDecimal(reader);
}

std::string FormatNumber(double x) {
  // 309 integer digits at most, a point, two decimals and a sign.
  std::array<char, 320> buffer{};
  char* const begin = buffer.data();
  char* const end = begin + buffer.size();
  // Rounding the exact binary value to two decimals, ties to even; multiplying by 100 first would
  // itself round and move some values across a half.
  const auto fixed = std::to_chars(begin, end, x, std::chars_format::fixed, 2);
  double rounded = 0;
  std::from_chars(begin, fixed.ptr, rounded);
  if (rounded == 0)
    return "0";
  const auto shortest = std::to_chars(begin, end, rounded, std::chars_format::fixed);
  return std::string(begin, shortest.ptr);
}

}  // namespace tarvel
