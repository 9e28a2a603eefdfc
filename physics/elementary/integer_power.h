#pragma once

// x^n rounded once from the exact power, for n from 2 to 5 (never repeated multiplication, whose
// intermediate roundings can move the last bit). Inline, so that the powers of one argument that
// Pb takes share their square and the exact path stays out of line.
//
// Fast path, for 2^−100 ≤ |x| ≤ 2^100: x^n as h + l in double-double arithmetic with a proven
// bound on its error, and the rounding test of exp and log: fl(h + (l − ε)) = fl(h + (l + ε)) means
// that every value within the bound, the exact one included, rounds to that double. Exact powers
// pass the test; a power exactly halfway between two doubles cannot, and neither can the rare
// power within the bound of such a point: those take the exact path (integer_power.cpp).
#include <cmath>

#include "physics/elementary/error_free.h"
#include "physics/float_bits.h"

namespace tarvel::elementary {

// x^n from the exact product of x's significand n times, rounded once: for every double x.
double ExactIntegerPower(double x, int n);

// The fast path's bounds, relative to |h|, u = 2^−53 (derivation in IntegerPower). Each holds the
// bound of its power with a margin of two or more, and of the roundings of the test itself.
inline constexpr double kCubeError = 0x1p-102;
inline constexpr double kFourthError = 0x1p-101;
inline constexpr double kFifthError = 0x1p-100;

inline double IntegerPower(double x, int n) {
  // The product of two doubles is already the correctly rounded square.
  if (n == 2)
    return x * x;
  const double size = std::fabs(x);
  if (!(size >= 0x1p-100 && size <= 0x1p100) || n < 3 || n > 5)
    return ExactIntegerPower(x, n);
  // Within that range every product below is far from overflow and from the subnormal numbers, as
  // TwoProduct needs: |x^5| ≤ 2^500, and every error term is above 2^−700.
  // x² = s.hi + s.lo exactly, |s.lo| ≤ u·|s.hi|.
  const Sum s = TwoProduct(x, x);
  Sum head;
  double tail;
  double error;
  if (n == 3) {
    // x³ = a.hi + a.lo + s.lo·x with a = s.hi·x exact. b = RN(s.lo·x) errs by at most u²|x³|;
    // |a.lo| ≤ u|x³|, |b| ≤ 1.01u|x³|, so tail = RN(a.lo + b) errs by at most 2.02u²|x³|: in all
    // below 3.1u²|x³| < 2^−104.3 |a.hi|.
    head = TwoProduct(s.hi, x);
    tail = head.lo + s.lo * x;
    error = kCubeError;
  } else {
    // x⁴ = a.hi + a.lo + 2·s.hi·s.lo + s.lo² with a = s.hi² exact. b = RN(2·s.hi·s.lo) (2·s.hi
    // exact) errs by at most 2u²|x⁴|, s.lo² ≤ u²|x⁴| is left out, and tail = RN(a.lo + b),
    // |a.lo + b| ≤ 3.01u|x⁴|, by at most 3.01u²|x⁴|: in all below 6.02u²|x⁴| < 2^−103.4 |a.hi|.
    head = TwoProduct(s.hi, s.hi);
    tail = head.lo + (2 * s.hi) * s.lo;
    error = kFourthError;
    if (n == 5) {
      // x⁵ = (a.hi + tail)·x + (x⁴'s error)·x, with c = a.hi·x exact: c.hi + c.lo + RN(tail·x),
      // the product erring by at most 3.01u²|x⁵| and the sum of the two small parts (below
      // 4.02u|x⁵|) by 4.02u²|x⁵|: with x⁴'s 6.02u², below 13.1u²|x⁵| < 2^−102.2 |c.hi|.
      const double tail4 = tail;
      head = TwoProduct(head.hi, x);
      tail = head.lo + tail4 * x;
      error = kFifthError;
    }
  }
  // h = head.hi and l = tail. l ∓ ε|h| lie below 5u|h| in size and round by at most 5u²|h|; with
  // the bound of h + l above that stays within ε|h| (8.1u², 11.1u² and 18.1u² against 16u², 32u²
  // and 64u²). So the two sums, rounded, lie on either side of x^n's rounding.
  const double bound = error * std::fabs(head.hi);
  const double low = head.hi + (tail - bound);
  const double high = head.hi + (tail + bound);
  if (BitsOf(low) == BitsOf(high))
    return low;
  return ExactIntegerPower(x, n);
}

}  // namespace tarvel::elementary
