#pragma once

// ln x to a proven absolute error, for enclosures: not correctly rounded, and much shorter than
// Log. For 2^−60 ≤ x ≤ 2^60 the result y satisfies |y − ln x| ≤ kApproximateLogError.
//
// Method (that of Log without its second half): x = 2^e · m, m in [0.75, 1.5) on interval i of
// Log's table, and
//   ln x = e ln2 − ln(inv_i) + log1p(z),   z = m · inv_i − 1,  |z| ≤ 2^−8
// (the table's generator asserts that bound on every interval), with log1p(z) by its series to z⁶.
//
// Error bound, for 2^−60 ≤ x ≤ 2^60 (so −60 ≤ e ≤ 61; u = 2^−53):
// - z. m · inv lies in [1 − 2^−8, 1 + 2^−8] and rounds by at most u; the subtraction of 1 is then
//   exact (Sterbenz): the computed z is within u of the exact one.
// - log1p. The series' tail beyond z⁶ is below |z|⁷/7 / (1 − |z|) < 2^−58.8. The sum
//   h = −1/2 + z/3 − z²/4 + z³/5 − z⁴/6 is taken in pairs, (−1/2 + z/3) + z²((−1/4 + z/5) − z²/6),
//   so that its chain of dependent operations is short: every part lies below 0.51 in magnitude,
//   each operation rounds by at most 2^−54, and what an operation carries from an inner one is
//   scaled by |z| ≤ 2^−8 or z² ≤ 2^−16; with the constants the doubles nearest to them, h is
//   within 2^−52.9 of its exact value. z² · h (< 2^−17) then errs by less than 2^−67.4, and
//   z + z² · h (< 2^−7.99) rounds by at most 2^−61. With the error of z passed through (the
//   derivative of log1p is 1/(1 + z) < 1.004), the result is within 2^−52.9 of log1p of the
//   exact z.
// - e ln2 − ln(inv). e · kLogLn2Hi is exact (42 + 6 bits) and e · kLogLn2Lo (< 2^−38) rounds by
//   less than 2^−91; Hi + Lo is ln 2 within 2^−97. −ln(inv) is neg_log_hi within 2^−55 (its low
//   part, below half an ulp of a value under 0.41, is left out).
// - The sums. e · Hi + neg_log_hi and the final sum have magnitudes below 64 and round by at most
//   2^−48 each; log1p + e · Lo (< 2^−7.9) by at most 2^−61.
// In all below 2^−48 + 2^−48 + 2^−52.9 + 2^−55 + 2^−61 + 2^−91 < 2^−46.9;
// kApproximateLogError = 2^−46.5 leaves a margin of 1.3.
#include <cstdint>

#include "physics/elementary/log_reduction.h"
#include "physics/float_bits.h"

namespace tarvel::elementary {

inline constexpr double kApproximateLogError = 0x1.6a09e667f3bcdp-47;  // 2^−46.5, rounded up
inline constexpr double kApproximateLogLowest = 0x1p-60;
inline constexpr double kApproximateLogHighest = 0x1p60;

// ln x + ε, |ε| ≤ kApproximateLogError, for x in [kApproximateLogLowest, kApproximateLogHighest];
// anything for other x.
inline double ApproximateLog(double x) {
  const LogReduction r = ReduceForLog(BitsOf(x));
  const LogTableEntry& entry = r.entry;
  const double z = r.m * entry.inverse - 1;
  const double z2 = z * z;
  const double h = (-0.5 + z * 0x1.5555555555555p-2) +
                   z2 * ((-0x1p-2 + z * 0x1.999999999999ap-3) + z2 * -0x1.5555555555555p-3);
  const double log1p = z + z2 * h;
  const double ed = r.exponent;
  return (ed * kLogLn2Hi + entry.neg_log_hi) + (log1p + ed * kLogLn2Lo);
}

}  // namespace tarvel::elementary
