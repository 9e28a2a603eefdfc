// x^n rounded once from the exact power: the exact path of IntegerPower (integer_power.h).
//
// A double is x = ±M · 2^q with an integer M < 2^53, so x^n = ±M^n · 2^(nq) exactly,
// and M^n has at most 5 · 53 = 265 bits: five 64-bit limbs hold it. The rounding then needs only
// its leading 64 bits and whether any bit below them is set.
#include <cmath>
#include <cstdint>

#include "physics/elementary/integer_power.h"
#include "physics/elementary/limbs.h"
#include "physics/float_bits.h"

namespace tarvel::elementary {
namespace {

constexpr int kMaxLimbs = 5;

}  // namespace

double ExactIntegerPower(double x, int n) {
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

}  // namespace tarvel::elementary
