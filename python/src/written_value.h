#pragma once

#include <cstdint>
#include <string_view>

#include "panel/number_text.h"

namespace tarvel::python {

// The value a field reads from a text the command wrote into it. FormatNumber writes an optional
// '-', the whole digits and at most two decimals; with at most 15 digits in all, that number of
// hundredths is an exact double, and one division by an exact power of ten rounds it once to the
// nearest double, as ParseNumber reads such a text. Any other text is read by ParseNumber.
inline double WrittenValue(std::string_view text) {
  constexpr double kPowersOfTen[] = {1, 10, 100};
  const char* p = text.data();
  const char* const end = p + text.size();
  const bool negative = p != end && *p == '-';
  p += negative ? 1 : 0;
  const char* const first = p;
  std::uint64_t digits = 0;
  for (; p != end && static_cast<unsigned char>(*p - '0') < 10; ++p)
    digits = digits * 10 + static_cast<unsigned char>(*p - '0');
  const char* const point = p;
  if (p != end && *p == '.') {
    for (++p; p != end && static_cast<unsigned char>(*p - '0') < 10; ++p)
      digits = digits * 10 + static_cast<unsigned char>(*p - '0');
  }
  const long decimals = p - point - 1;  // -1 without a point
  const long count = (point - first) + (decimals > 0 ? decimals : 0);
  if (p != end || point == first || decimals == 0 || decimals > 2 || count > 15)
    return ParseNumber(text);
  const double value = static_cast<double>(digits) / kPowersOfTen[decimals < 0 ? 0 : decimals];
  return negative ? -value : value;
}

}  // namespace tarvel::python
