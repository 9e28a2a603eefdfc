// e^x, correctly rounded.
//
// Fast path (Tang's method in double arithmetic with carried error terms):
//   x = k ln2/128 + r, |r| ≤ ln2/256 + 2^−25.9, k = 128 M + j,
//   e^x = 2^M · 2^(j/128) · e^r,
// with 2^(j/128) = t1 + t2 from the table (t1 of 26 bits) and e^r = 1 + r + q(r). It yields
// y = h + l ≈ 2^(j/128) e^r with a relative error below 2^−67.3 (derived below), and the
// rounding test accepts fl(h + l) only when fl(h + (l − ε h)) and fl(h + (l + ε h)) agree for
// ε = 2^−66: then every value within the bound rounds to the same double. About one argument in
// 2^13 fails the test and takes the accurate path, as do the arguments whose result could be
// subnormal.
#include <cmath>
#include <cstdint>

#include "physics/elementary/accurate.h"
#include "physics/elementary/correctly_rounded.h"
#include "physics/elementary/error_free.h"  // exact products and sums need double rounding
#include "physics/elementary/tables.h"
#include "physics/float_bits.h"

namespace tarvel::elementary {
namespace {

// Rounds a double to an integer-valued double (to nearest) by adding and removing 1.5 · 2^52.
constexpr double kShifter = 0x1.8p52;
constexpr double kTestEpsilon = 0x1p-66;
// Rounds a double of magnitude below 2^24 to a multiple of 2^−27 (to nearest) in the same way.
constexpr double kGridShifter = 0x1.8p25;

// 2^n for −1022 ≤ n ≤ 1023.
double PowerOfTwo(int n) {
  return DoubleFromBits(static_cast<std::uint64_t>(n + 1023) << 52);
}

}  // namespace

double Exp(double x) {
  if (!(x <= 709.8)) {
    if (std::isnan(x))
      return x;
    return HUGE_VAL;  // e^709.8 > 2^1024: overflow
  }
  if (x < -745.2)
    return 0;  // e^x < 2^−1075.1: below half the smallest subnormal
  // |x| ≤ 2^−54: 1 − 2^−54 < e^x < 1 + 2^−54 + 2^−108, nearer to 1 than to either neighbour.
  if (std::fabs(x) <= 0x1p-54)
    return 1;
  // x ∈ (−745.2, 709.8], so |k| < 2^17.1.
  const double kd = (x * kExp128ByLn2 + kShifter) - kShifter;
  const std::int64_t k = static_cast<std::int64_t>(kd);
  const int j = static_cast<int>(k & 127);
  const int big_m = static_cast<int>((k - j) / 128);
  if (big_m < -1020)
    return AccurateExp(x);  // the result may be subnormal: one rounding at 2^−1074

  // Reduction. kd · C_hi is exact (18 + 35 bits). x − kd · C_hi is exact: for k = 0 it is x;
  // otherwise |x| ≥ C/2, so x lies on a grid of 2^(e_x − 52) with e_x ≥ −9 and the difference,
  // below 2^−8, lies on the finer of that grid and C_hi's (2^−42) and needs at most 53 bits of it.
  // r_lo = −kd · C_lo is off by ≤ 2^−79 from rounding and ≤ 2^−78.9 from C_lo's own error.
  const double r_hi = x - kd * kExpLn2By128Hi;
  const double r_lo = -(kd * kExpLn2By128Lo);
  const double r = r_hi + r_lo;  // |r − (r_hi + r_lo)| ≤ 2^−61.5

  // q(r) = r²/2 + r³/6 + r⁴/24 + r⁵/120 + r⁶/720 = r²(1/2 + r/6) + r⁴(1/24 + r/120 + r²/720),
  // split so that few operations wait on one another. With |r| < 2^−8.52: the omitted tail is
  // below 2^−72; using the rounded r moves q by < |r| 2^−61.5 < 2^−70; the r⁴ part is below 2^−20
  // of q, so the rounding errors stay below 4 · 2^−53 |q| < 2^−69.1, |q| < 2^−18.05.
  const double r2 = r * r;
  const double r4 = r2 * r2;
  const double c23 = 0.5 + r * 0x1.5555555555555p-3;
  const double c456 =
      (0x1.5555555555555p-5 + r * 0x1.1111111111111p-7) + r2 * 0x1.6c16c16c16c17p-10;
  const double q = r2 * c23 + r4 * c456;

  // y = (t1 + t2)(1 + r_hi + r_lo + q). r_hi = r_hh + r_hl with r_hh on the grid of 2^−27 (so of
  // at most 20 bits, |r_hh| < 2^−8) and |r_hl| ≤ 2^−28, both exact. t1 (26 bits, on the grid of
  // 2^−25) times r_hh is exact, on the grid of 2^−52, and so is head = t1 + t1·r_hh, which lies in
  // (0.997, 1.995): the leading part of y with no rounding at all. The rest is small:
  //   b = t1·r_hl (< 2^−27, rounding < 2^−80), t1·r_lo (< 2^−24.9) and t2·(1 + r) (< 2^−25.9),
  //   each rounding and the two additions of `early` below 2^−77;
  //   (t1 + t2)·q with t1 + t2 rounded once (2^−52 of |q|: 2^−70) and the product (2^−70).
  const ExpTableEntry& t = kExpTable[j];
  const double r_hh = (r_hi + kGridShifter) - kGridShifter;
  const double r_hl = r_hi - r_hh;
  const double head = t.first + t.first * r_hh;
  const double early = t.first * r_hl + (t.first * r_lo + t.second * (1 + r));
  const double tq = (t.first + t.second) * q;

  // Error budget, absolute in y ≥ 0.997: in q (multiplied by t ≤ 2 against y ≥ 0.997 t)
  // 2^−72 + 2^−70 + 2^−69.1; t1 + t2 and the product with q 2^−70 each; the addition of tq, which
  // reaches 2^−16.9, 2^−69.9; the rest, the table and the reduction below 2^−74 together. In all
  // below 2^−67.3 of y, including every rounding in the two bounds below (2^−68.6 is the largest
  // error seen over 3 · 10^6 arguments); ε = 2^−66 leaves a margin of two.
  const double error = kTestEpsilon * head;
  const double low = head + (tq + (early - error));
  const double high = head + (tq + (early + error));
  if (BitsOf(low) != BitsOf(high))
    return AccurateExp(x);
  // Scaling by 2^M is exact: for −1020 ≤ M ≤ 1022 it adds M to the exponent field of a result in
  // [0.99, 2); beyond, a product at or past 2^1024 is the overflow of the true result.
  if (big_m > 1022)
    return low * PowerOfTwo(big_m - 1) * 2;
  return DoubleFromBits(BitsOf(low) + (static_cast<std::uint64_t>(big_m) << 52));
}

}  // namespace tarvel::elementary
