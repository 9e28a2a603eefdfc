// ln x, correctly rounded.
//
// Fast path: x = 2^e · m with m in [0.75, 1.5), m on interval i of the table, and
//   ln x = e ln2 − ln(inv_i) + log1p(z),   z = m · inv_i − 1,  |z| ≤ 2^−8,
// where inv_i is a 9-bit approximation of 1/m (exactly 1 next to m = 1, so that no table value
// cancels against log1p(z) when x is close to 1). z is formed exactly as zh + zl and log1p(z) as
// zh − zh²/2 with zh² exact, plus a polynomial in zh for the terms from z³ on. The rounding test
// is that of exp: fl(h + (l − err)) = fl(h + (l + err)), with err from the bounds below; the rare
// arguments that fail it take the accurate path.
#include <cmath>
#include <cstdint>

#include "physics/elementary/accurate.h"
#include "physics/elementary/correctly_rounded.h"
#include "physics/elementary/error_free.h"
#include "physics/elementary/log_reduction.h"
#include "physics/elementary/tables.h"
#include "physics/float_bits.h"

namespace tarvel::elementary {
namespace {

// Error bounds of the fast path (derivation beside their use):
//   away from 1, an absolute bound: the result's magnitude is at least 2^−9 there;
//   on the two intervals around 1 with e = 0, a bound relative to the result.
constexpr double kAbsoluteError = 0x1p-72;
constexpr double kRelativeErrorNearOne = 0x1p-64;

}  // namespace

double Log(double x) {
  if (!(x > 0) || x == HUGE_VAL) {
    if (x == 0)
      return -HUGE_VAL;
    return x < 0 ? NAN : x;  // NaN stays NaN; +∞ stays +∞
  }
  if (x == 1)
    return 0;

  std::uint64_t bits = BitsOf(x);
  int e = 0;
  if ((bits >> 52) == 0) {
    bits = BitsOf(x * 0x1p54);  // subnormal: scale exactly into the normal range
    e = -54;
  }
  // x = 2^e · m, m in [0.75, 1.5).
  const LogReduction r = ReduceForLog(bits);
  e += r.exponent;
  const double m = r.m;
  const LogTableEntry& t = r.entry;

  // z = m · inv − 1 exactly: m = m_hi + m_lo with m_hi of 27 and m_lo of 26 significant bits, so
  // m_hi · inv (36 bits) and m_lo · inv (35 bits) are exact, m_hi · inv − 1 is exact (Sterbenz:
  // the product lies within 2^−7 of 1), and TwoSum keeps the rounding error of the last sum.
  const double m_hi = DoubleFromBits(BitsOf(m) & ~((std::uint64_t{1} << 26) - 1));
  const double m_lo = m - m_hi;
  const Sum z = TwoSum(m_hi * t.inverse - 1, m_lo * t.inverse);
  const double zh = z.hi;
  const double zl = z.lo;  // |zl| ≤ 2^−53 |zh|

  // log1p(zh + zl) = zh + zl − zh²/2 − zh·zl + zh²·zl + zh³ Q(zh) + (terms below 2^−76 |z|),
  // Q(z) = 1/3 − z/4 + z²/5 − z³/6 + z⁴/7 − z⁵/8 + z⁶/9, whose omitted tail is below 2^−72 |z|.
  const Sum square = TwoProduct(zh, zh);
  const double q =
      0x1.5555555555555p-2 +
      zh * (-0x1p-2 +
            zh * (0x1.999999999999ap-3 +
                  zh * (-0x1.5555555555555p-3 +
                        zh * (0x1.2492492492492p-3 + zh * (-0x1p-3 + zh * 0x1.c71c71c71c71cp-4)))));
  const double cube_q = (square.hi * zh) * q;  // |zh³ Q| < 2^−25.5, relative error < 2^−51

  // e ln2_hi is exact (11 + 42 bits); e = 0 gives 0.
  const Sum a = TwoSum(e * kLogLn2Hi, t.neg_log_hi);
  const Sum b = FastTwoSum(zh, -0.5 * square.hi);  // |zh| ≥ zh²/2 since |zh| ≤ 2^−8
  const Sum head = TwoSum(a.hi, b.hi);
  const double tail =
      head.lo + (a.lo + (b.lo + (e * kLogLn2Lo +
                                 (t.neg_log_lo + (zl + ((cube_q - (0.5 * square.lo + zh * zl)) +
                                                        square.hi * zl))))));

  // Away from 1 (e ≠ 0, or an interval with inv ≠ 1), every partial sum of `tail` stays below
  // 2^−25, so its nine additions are off by at most 9 · 2^−78; zh³ Q by 2^−76.6; the tables by
  // 2^−85: in all below 2^−74.3, and kAbsoluteError leaves a margin of 4.
  // Next to 1 (e = 0, inv = 1) the table terms vanish and every error is relative to |z|: the
  // additions 9 · 2^−69.5 |z|, zh³ Q 2^−68.6 |z|, the omitted terms 2^−72 |z|: below 2^−65.9 of
  // the result (which exceeds 0.998 |z|).
  const bool near_one = e == 0 && t.inverse == 1;
  const double error = near_one ? kRelativeErrorNearOne * std::fabs(head.hi) : kAbsoluteError;
  const double low = head.hi + (tail - error);
  const double high = head.hi + (tail + error);
  if (BitsOf(low) == BitsOf(high))
    return low;
  return AccurateLog(x, head.hi);
}

}  // namespace tarvel::elementary
