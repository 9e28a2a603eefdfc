#pragma once

#include <cmath>
#include <limits>

namespace tarvel {

// An enclosure [lo, hi] of the double that a chain of rounded operations computes, carried through
// the rest of that chain operation by operation: the same operations, in the same order, on the
// ends of the enclosures of their operands.
//
// Why the ends are enough. Each operation below is one of +, −, × and ÷. On a box of real
// operands a ∈ [a1, a2], b ∈ [b1, b2] (for ÷ with 0 not in [b1, b2]) the exact real result takes
// its least and its greatest value at corners of the box: a + b and a − b are monotone in each
// operand, a × b is linear in each operand, and a ÷ b is linear in a and monotone in b on either
// side of 0; which corners they are follows from the signs. Rounding to nearest is monotone. So
// whatever doubles the chain computes for the operands, as long as they lie in the boxes, the
// double it computes for the result lies between the rounded results at those corners, which is
// what each operation here returns. No error analysis of the chain is needed: its own roundings
// are reproduced at the corners (the division by a double, below, is the one exception). Signed
// zeros do not matter: the chains compare and add their results, and never divide by a value
// whose enclosure reaches 0.
//
// An enclosure that says nothing has a NaN or an infinite end; such ends pass through every
// operation (NaN stays NaN, an infinity stays infinite or becomes NaN: no operation here divides
// by an infinite value or picks an end by comparison), and a divisor whose enclosure reaches 0
// gives NaN. So when the enclosure at the end of a chain is finite, so is every enclosure before
// it, and therefore so is every double the chain computes: none of its operations can fault.
struct RoundedInterval {
  double lo = std::numeric_limits<double>::quiet_NaN();
  double hi = std::numeric_limits<double>::quiet_NaN();

  bool Finite() const { return std::isfinite(lo) && std::isfinite(hi); }
  static RoundedInterval Point(double x) { return {x, x}; }
};

// The operations, with either operand a double that the chain computes exactly.
inline RoundedInterval Add(const RoundedInterval& a, const RoundedInterval& b) {
  return {a.lo + b.lo, a.hi + b.hi};
}
inline RoundedInterval Add(const RoundedInterval& a, double b) {
  return {a.lo + b, a.hi + b};
}
inline RoundedInterval Add(double a, const RoundedInterval& b) {
  return {a + b.lo, a + b.hi};
}
inline RoundedInterval Sub(const RoundedInterval& a, double b) {
  return {a.lo - b, a.hi - b};
}
inline RoundedInterval Sub(double a, const RoundedInterval& b) {
  return {a - b.hi, a - b.lo};
}
inline RoundedInterval Mul(double a, const RoundedInterval& b) {
  if (a >= 0)
    return {a * b.lo, a * b.hi};
  return {a * b.hi, a * b.lo};
}
inline RoundedInterval Mul(const RoundedInterval& a, double b) {
  return Mul(b, a);
}

// a ÷ b for a double b, by a product with RN(1/b) instead of two divisions, and widened: with
// u = 2^−53, RN(1/b) = (1/b)(1 + e1) and q = RN(x·RN(1/b)) = (x/b)(1 + e1)(1 + e2), while the
// chain's RN(x/b) = (x/b)(1 + e3), |ei| ≤ u; so RN(x/b) lies within 3.0001u·|q| of q, and
// q ∓ |q|·2^−50 (|q|·2^−50 exact), rounded, lie beyond on either side: they are within u of
// q·(1 ∓ 8u). That holds while 1/b is a normal number and |q| is 2^−960 or more (or q = 0, the
// exact 0 ÷ b); otherwise the result says nothing. Division being monotone in x, the chain's
// RN(x/b) for x in [a.lo, a.hi] lies between the ends' enclosures. For a constant b the compiler
// forms 1/b once.
inline RoundedInterval Div(const RoundedInterval& a, double b) {
  constexpr double kWidening = 0x1p-50;
  constexpr double kSmallest = 0x1p-960;
  const double reciprocal = 1 / b;
  const double q1 = (reciprocal > 0 ? a.lo : a.hi) * reciprocal;  // the lesser quotient
  const double q2 = (reciprocal > 0 ? a.hi : a.lo) * reciprocal;
  const auto normal = [](double q) { return std::fabs(q) >= kSmallest || q == 0; };
  if (!(std::fabs(reciprocal) >= 0x1p-1022 && normal(q1) && normal(q2)))
    return {};
  return {q1 - std::fabs(q1) * kWidening, q2 + std::fabs(q2) * kWidening};
}

// a ÷ b for an enclosure b apart from 0. With a positive divisor, the least quotient has the least
// dividend over the greatest divisor when that dividend is at least 0 and over the least divisor
// otherwise, and the greatest quotient the mirror image; a negative divisor is the same with both
// operands negated, as x/y = (−x)/(−y) and rounding to nearest is symmetric.
inline RoundedInterval Div(const RoundedInterval& a, const RoundedInterval& b) {
  constexpr double kInfinity = std::numeric_limits<double>::infinity();
  if (b.hi < 0 && b.lo > -kInfinity)
    return Div(RoundedInterval{-a.hi, -a.lo}, RoundedInterval{-b.hi, -b.lo});
  if (!(b.lo > 0 && b.hi < kInfinity))
    return {};  // the divisor's enclosure reaches 0, or says nothing
  return {a.lo / (a.lo >= 0 ? b.hi : b.lo), a.hi / (a.hi >= 0 ? b.lo : b.hi)};
}

}  // namespace tarvel
