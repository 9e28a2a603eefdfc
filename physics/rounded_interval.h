#pragma once

#include <algorithm>
#include <cmath>

namespace tarvel {

// An enclosure [lo, hi] of the double that a chain of rounded operations computes, carried through
// the rest of that chain operation by operation: the same operations, in the same order, on the
// ends of the enclosures of their operands.
//
// Why the ends are enough. Each operation below is one of +, −, × and ÷. On a box of real
// operands a ∈ [a1, a2], b ∈ [b1, b2] (for ÷ with 0 not in [b1, b2]) the exact real result takes
// its least and its greatest value at corners of the box: a + b and a − b are monotone in each
// operand, a × b is linear in each operand, and a ÷ b is linear in a and monotone in b on either
// side of 0. Rounding to nearest is monotone. So whatever doubles the chain computes for the
// operands, as long as they lie in the boxes, the double it computes for the result lies between
// the least and the greatest of the rounded results at the corners, which is what each operation
// here returns. No error analysis of the chain is needed: its own roundings are reproduced at
// the corners. Signed zeros do not matter: the chains compare and add their results, never divide
// by a value that can be 0.
//
// When a corner result is not finite, or a divisor's enclosure reaches 0, the enclosure is marked
// not finite and stays so: it says nothing, and its user must compute the chain itself. When the
// enclosure at the end is finite, so is every enclosure before it, and therefore so is every
// double the chain computes: none of its operations can fault.
struct RoundedInterval {
  double lo = 0;
  double hi = 0;
  bool finite = false;

  static RoundedInterval Of(double a, double b) {
    return {std::min(a, b), std::max(a, b), std::isfinite(a) && std::isfinite(b)};
  }
  static RoundedInterval Point(double x) { return Of(x, x); }
};

namespace interval_detail {

inline RoundedInterval Span(double a, double b, bool finite) {
  RoundedInterval r = RoundedInterval::Of(a, b);
  r.finite = r.finite && finite;
  return r;
}

inline RoundedInterval Span(double a, double b, double c, double d, bool finite) {
  const bool ends_finite =
      std::isfinite(a) && std::isfinite(b) && std::isfinite(c) && std::isfinite(d);
  return {std::min(std::min(a, b), std::min(c, d)), std::max(std::max(a, b), std::max(c, d)),
          ends_finite && finite};
}

}  // namespace interval_detail

// The operations, with either operand a double that the chain computes exactly.
inline RoundedInterval Add(const RoundedInterval& a, const RoundedInterval& b) {
  return interval_detail::Span(a.lo + b.lo, a.hi + b.hi, a.finite && b.finite);
}
inline RoundedInterval Add(const RoundedInterval& a, double b) {
  return interval_detail::Span(a.lo + b, a.hi + b, a.finite);
}
inline RoundedInterval Add(double a, const RoundedInterval& b) {
  return interval_detail::Span(a + b.lo, a + b.hi, b.finite);
}
inline RoundedInterval Sub(const RoundedInterval& a, double b) {
  return interval_detail::Span(a.lo - b, a.hi - b, a.finite);
}
inline RoundedInterval Sub(double a, const RoundedInterval& b) {
  return interval_detail::Span(a - b.hi, a - b.lo, b.finite);
}
inline RoundedInterval Mul(double a, const RoundedInterval& b) {
  return interval_detail::Span(a * b.lo, a * b.hi, b.finite);
}
inline RoundedInterval Mul(const RoundedInterval& a, double b) {
  return interval_detail::Span(a.lo * b, a.hi * b, a.finite);
}
inline RoundedInterval Div(const RoundedInterval& a, double b) {
  return interval_detail::Span(a.lo / b, a.hi / b, a.finite && b != 0);
}
inline RoundedInterval Div(const RoundedInterval& a, const RoundedInterval& b) {
  const bool divisor_apart_from_zero = b.lo > 0 || b.hi < 0;
  return interval_detail::Span(a.lo / b.lo, a.lo / b.hi, a.hi / b.lo, a.hi / b.hi,
                               a.finite && b.finite && divisor_apart_from_zero);
}

}  // namespace tarvel
