// x^n rounded once from the exact power.
//
// Fast path, for 2^−100 ≤ |x| ≤ 2^100: x^n as h + l in double-double arithmetic with a proven
// bound on its error, and the rounding test of exp and log: fl(h + (l − ε)) = fl(h + (l + ε)) means
// that every value within the bound, the exact one included, rounds to that double. Exact powers
// pass the test; a power exactly halfway between two doubles cannot, and neither can the rare
// power within the bound of such a point: those take the exact path.
//
// Exact path: a double is x = ±M · 2^q with an integer M < 2^53, so x^n = ±M^n · 2^(nq) exactly,
// and M^n has at most 5 · 53 = 265 bits: five 64-bit limbs hold it. The rounding then needs only
// its leading 64 bits and whether any bit below them is set.
#include <cmath>
#include <cstdint>

#include "physics/elementary/correctly_rounded.h"
#include "physics/elementary/error_free.h"
#include "physics/elementary/limbs.h"
#include "physics/float_bits.h"

namespace tarvel::elementary {
namespace {

constexpr int kMaxLimbs = 5;

// x^n exactly, from the limbs of its significand.
[[gnu::noinline]] double ExactPower(double x, int n) {
  const BinaryParts parts = SplitBinary(x);
  const bool negative = parts.negative && (n & 1) != 0;
  if (!std::isfinite(x)) {
    // ±∞ stays infinite (with the sign of x^n), NaN stays NaN.
    if (std::isnan(x))
      return x;
    return negative ? -HUGE_VAL : HUGE_VAL;
  }
  if (parts.significand == 0)
    return negative ? -0.0 : 0.0;

  std::uint64_t limbs[kMaxLimbs] = {parts.significand};
  int count = 1;
  for (int i = 1; i < n; ++i) {
    if (const std::uint64_t carry = MultiplyLimbs(limbs, count, parts.significand); carry != 0)
      limbs[count++] = carry;
  }
  return RoundLimbsToDouble(negative, limbs, count, n * parts.exponent);
}

// The fast path's bounds, relative to |h|, u = 2^−53 (derivation in IntegerPower). Each holds the
// bound of its power with a margin of two or more, and of the roundings of the test itself.
constexpr double kCubeError = 0x1p-102;
constexpr double kFourthError = 0x1p-101;
constexpr double kFifthError = 0x1p-100;

}  // namespace

double IntegerPower(double x, int n) {
  // The product of two doubles is already the correctly rounded square.
  if (n == 2)
    return x * x;
  const double size = std::fabs(x);
  if (!(size >= 0x1p-100 && size <= 0x1p100) || n < 3 || n > 5)
    return ExactPower(x, n);
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
  return ExactPower(x, n);
}

}  // namespace tarvel::elementary
