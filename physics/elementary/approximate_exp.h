#pragma once

// e^x to a proven relative error, for enclosures: not correctly rounded, and much shorter than
// Exp. For |x| ≤ 40 the result y satisfies |y − e^x| ≤ kApproximateExpError · e^x.
//
// Method (that of Exp without its second half):
//   x = k ln2/128 + ρ, k = 128 M + j,  e^x = 2^M · 2^(j/128) · e^ρ,
//   e^ρ ≈ 1 + p(r),  p(r) = r + r²(1/2 + r/6 + r²/24),  r ≈ ρ.
//
// Error bound, for |x| ≤ 40 (u = 2^−53):
// - k. |x · 128/ln2| < 7400 < 2^13, so RN(x · kExp128ByLn2) + 1.5·2^52 lies in a binade of unit
//   spacing: `biased` is 1.5·2^52 + k with k that product rounded to an integer, and its bits
//   minus those of 1.5·2^52 are k; kd = biased − 1.5·2^52 = k exactly (Sterbenz). |k| < 2^13.
//   kExp128ByLn2 and the product each round by u, so |x · 128/ln2 − k| ≤ 1/2 + 2^−39 and
//   |ρ| ≤ ln2/256 + 2^−46 < 2^−8.48.
// - r. kExpLn2By128Hi has 35 significant bits (its last at 2^−42), so kd · Hi is exact (48 bits)
//   and a multiple of 2^−42. x − kd · Hi is exact: it is x itself for k = 0; otherwise
//   |x| > 2^−9, so x is a multiple of 2^−61, and so is the difference, whose magnitude is below
//   2^−8.48, less than 2^53 units. kd · Lo (|Lo| < 2^−43.1, so below 2^−30) rounds by less than
//   2^−84, Hi + Lo is ln2/128 to within 2^−97 (so k times it within 2^−84), and the last
//   subtraction rounds by at most 2^−62 (|r| < 2^−8.48). So r = ρ + δr, |δr| < 2^−61.9.
// - p. r2 = RN(r²) is within u of r². 1/6 and 1/24 are the doubles nearest to them. The inner sum
//   q = (1/2 + r/6) + r2/24 lies in [0.4995, 0.5006]: its two roundings are at most 2^−54 each,
//   those of r/6 and r2/24 below 2^−64, so q is within 2^−52.99 of 1/2 + r/6 + r²/24. r2 · q
//   (< 2^−18) is then within 2^−68.5 of r²(1/2 + r/6 + r²/24), and r + r2 · q (< 2^−8.48)
//   rounds by at most 2^−62: p = r + r²/2 + r³/6 + r⁴/24 + δp, |δp| < 2^−61.9.
// - The series. e^r = 1 + r + r²/2 + r³/6 + r⁴/24 + R, |R| ≤ |r|⁵/120 · e^|r| < 2^−49.3.
// - The table. first + second is 2^(j/128) within 2^−79 (relative); their rounded sum t is within
//   u more. t · p (< 2^−7.5) rounds by less than 2^−60.5, and t + t · p (in [0.997, 1.995]) by at
//   most u: y' = t(1 + p) + δy, |δy| < 2^−52.98, about 2^−52.97 of y'.
// - Together: y' = 2^(j/128) e^ρ · (1 + ε) with
//     |ε| ≤ 2^−79 + u (table) + 2^−61.9 (δr) + (2^−49.3 + 2^−61.9)/0.997 (series, δp)
//           + 2^−52.97 (last rounding) + second-order terms < 2^−48.95.
//   kApproximateExpError = 2^−48 leaves a margin of almost two.
// - Scaling. y' lies in [0.99, 2) and |M| ≤ 58, so adding M to its exponent field is the exact
//   product y' · 2^M, a normal number: y = e^x (1 + ε).
#include <cstdint>

#include "physics/elementary/tables.h"
#include "physics/float_bits.h"

namespace tarvel::elementary {

inline constexpr double kApproximateExpError = 0x1p-48;
inline constexpr double kApproximateExpLimit = 40;

// e^x (1 + ε), |ε| ≤ kApproximateExpError, for |x| ≤ kApproximateExpLimit; anything for other x.
inline double ApproximateExp(double x) {
  constexpr double kShifter = 0x1.8p52;
  const double biased = x * kExp128ByLn2 + kShifter;
  const std::int64_t k = static_cast<std::int64_t>(BitsOf(biased) - BitsOf(kShifter));
  const double kd = biased - kShifter;
  const double r = (x - kd * kExpLn2By128Hi) - kd * kExpLn2By128Lo;
  const double r2 = r * r;
  const double q = (0.5 + r * 0x1.5555555555555p-3) + r2 * 0x1.5555555555555p-5;
  const double p = r + r2 * q;
  const ExpTableEntry& entry = kExpTable[k & 127];
  const double t = entry.first + entry.second;
  const double y = t + t * p;
  const std::int64_t big_m = k >> 7;  // floor(k / 128): arithmetic shift
  return DoubleFromBits(BitsOf(y) + (static_cast<std::uint64_t>(big_m) << 52));
}

}  // namespace tarvel::elementary
