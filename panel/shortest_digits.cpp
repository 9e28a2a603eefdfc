#include "panel/shortest_digits.h"

// fmt's shortest-digits conversion (Dragonbox), compiled into this file alone: no library to link,
// so the WebAssembly build needs nothing but the headers. fmt's public formatting gives the same
// digits, but it brings its locale support with it, which made the page's core twice as large.
// The call below is fmt's internal interface, so a test compares it with fmt's public output:
// a newer fmt that changes it fails there, not in a user's field.
#ifndef FMT_HEADER_ONLY
#define FMT_HEADER_ONLY
#endif
#include <fmt/format.h>

namespace tarvel {

DecimalDigits ShortestDigits(double x) {
  const auto shortest = fmt::detail::dragonbox::to_decimal(x);
  return {shortest.significand, shortest.exponent};
}

}  // namespace tarvel
