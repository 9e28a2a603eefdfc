#pragma once

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace tarvel::fuzz {

// Ends the run with a report when a property fails; libFuzzer then keeps the input as a crash.
inline void Require(bool holds, const char* property, std::string_view detail = {}) {
  if (holds)
    return;
  std::fprintf(stderr, "property failed: %s [%.*s]\n", property, static_cast<int>(detail.size()),
               detail.data());
  std::abort();
}

// True when `text` has the form in which a result is written: an optional '-', a whole part
// without leading zeros and at most two decimals, the last of them not 0; never "-0". No
// exponent, no "nan" or "inf", no blanks.
inline bool IsWrittenNumberForm(std::string_view text) {
  std::size_t i = 0;
  const bool negative = i < text.size() && text[i] == '-';
  if (negative)
    ++i;
  const std::size_t whole_begin = i;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9')
    ++i;
  const std::string_view whole = text.substr(whole_begin, i - whole_begin);
  if (whole.empty() || (whole.size() > 1 && whole[0] == '0'))
    return false;
  std::string_view decimals;
  if (i < text.size() && text[i] == '.') {
    const std::size_t decimals_begin = ++i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9')
      ++i;
    decimals = text.substr(decimals_begin, i - decimals_begin);
    if (decimals.empty() || decimals.size() > 2 || decimals.back() == '0')
      return false;
  }
  if (i != text.size())
    return false;
  return !(negative && whole == "0" && decimals.empty());
}

}  // namespace tarvel::fuzz
