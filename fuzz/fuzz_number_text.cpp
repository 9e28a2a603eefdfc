// Reading and writing number text. Any bytes are read without a crash and never as NaN; a plain
// decimal or &H/&O integer reads as the C library reads it; what is written for a finite value
// has the written form and reads back as that value rounded to two decimals; and the text typed
// for a finite value reads back as that very value.
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/number_form.h"
#include "panel/number_text.h"

namespace {

using tarvel::fuzz::Require;

// x rounded to two decimals as the C library's printf rounds the exact binary value (ties to
// even), read back with strtod: the value a written result must read back as.
double RoundedToTwoDecimals(double x) {
  std::vector<char> text(std::snprintf(nullptr, 0, "%.2f", x) + 1);
  std::snprintf(text.data(), text.size(), "%.2f", x);
  return std::strtod(text.data(), nullptr);
}

void CheckWriteReadsBack(double x) {
  const std::string written = tarvel::FormatNumber(x);
  Require(tarvel::fuzz::IsWrittenNumberForm(written), "written form", written);
  const double read_back = tarvel::ParseNumber(written);
  Require(read_back == RoundedToTwoDecimals(x), "written text reads back as x rounded", written);
  Require(tarvel::FormatNumber(read_back) == written, "rewriting the value read back", written);
  // The text a program types for x reads back as x itself, to the bit.
  const std::string typed = tarvel::RoundTripText(x);
  const double typed_back = tarvel::ParseNumber(typed);
  Require(std::memcmp(&x, &typed_back, sizeof x) == 0, "typed text reads back as x", typed);
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsHexDigit(char c) {
  return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// Sign, digits with at most one '.', an optional E exponent with digits: a number in which strtod
// and ParseNumber agree on every character.
bool IsPlainDecimal(std::string_view text) {
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-'))
    ++i;
  std::size_t digits = 0;
  bool point = false;
  for (; i < text.size(); ++i) {
    if (IsDigit(text[i])) {
      ++digits;
    } else if (text[i] == '.' && !point) {
      point = true;
    } else {
      break;
    }
  }
  if (digits == 0)
    return false;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
      ++i;
    const std::size_t exponent_begin = i;
    while (i < text.size() && IsDigit(text[i]))
      ++i;
    if (i == exponent_begin)
      return false;
  }
  return i == text.size();
}

void CheckPlainDecimal(std::string_view text, double x) {
  const std::string terminated(text);
  const double expected = std::strtod(terminated.c_str(), nullptr);
  if (std::fabs(expected) < DBL_MIN) {
    // Below the normal range the value may be flushed to zero.
    Require(x == expected || x == 0, "tiny decimal reads as strtod's value or 0", text);
  } else {
    Require(x == expected, "decimal reads as strtod reads it", text);
  }
}

// &H followed by up to 15 hexadecimal digits or &O by up to 20 octal digits: an integer below 2^60
// that strtoull reads exactly.
void CheckRadixInteger(std::string_view text, double x) {
  if (text.size() < 3 || text[0] != '&')
    return;
  const char prefix = text[1];
  const bool hex = prefix == 'h' || prefix == 'H';
  const bool octal = prefix == 'o' || prefix == 'O';
  const std::string_view digits = text.substr(2);
  if (!(hex && digits.size() <= 15) && !(octal && digits.size() <= 20))
    return;
  for (char c : digits) {
    if (!(hex ? IsHexDigit(c) : c >= '0' && c <= '7'))
      return;
  }
  const std::string terminated(digits);
  const unsigned long long expected = std::strtoull(terminated.c_str(), nullptr, hex ? 16 : 8);
  Require(x == static_cast<double>(expected), "&H/&O integer reads as strtoull reads it", text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const double x = tarvel::ParseNumber(text);
  Require(!std::isnan(x), "reading never gives NaN", text);
  if (std::isfinite(x))
    CheckWriteReadsBack(x);
  if (IsPlainDecimal(text))
    CheckPlainDecimal(text, x);
  CheckRadixInteger(text, x);

  // The same bytes taken as a double reach values that decimal text rarely does: subnormals,
  // the largest finite doubles, exact halves of a hundredth.
  if (size >= sizeof(double)) {
    double raw = 0;
    std::memcpy(&raw, data, sizeof raw);
    if (std::isfinite(raw))
      CheckWriteReadsBack(raw);
  }
  return 0;
}
