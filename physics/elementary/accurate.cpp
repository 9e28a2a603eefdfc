// Exp and log in fixed-point integer arithmetic of increasing width (Ziv's strategy).
//
// Each pass computes the result with a proven bound on its error, rounds both ends of the interval
// that must hold the exact value, and stops when they round to the same double: rounding is
// monotonic, so that double is the correctly rounded result. Otherwise it tries again with about
// twice the bits. e^x and ln x are transcendental for every double x other than 0 and 1, so no
// exact value lies on a rounding boundary and some width decides. The searches for the hardest
// cases of exp and log in double precision (Lefèvre and Muller) show that fewer than 160 correct
// bits decide every argument: the first pass, with 192 fraction bits, already does, and the wider
// passes are a margin that costs nothing until it is needed.
#include "physics/elementary/accurate.h"

#include <cmath>
#include <cstdint>

#include "physics/elementary/fixed_point.h"
#include "physics/elementary/tables.h"

namespace tarvel::elementary {
namespace {

// The argument is first reduced to |r| ≤ ln 2 / 2 and then divided by 2^8, so that the Taylor
// series gains at least 9 bits a term; its sum is then squared 8 times.
constexpr int kSquarings = 8;

// floor(ln 2 · 2^kFractionBits): an error below 1 ulp.
template <int L>
Fixed<L> Ln2() {
  static_assert(L - 1 <= kLn2FractionLimbCount);
  Fixed<L> f;
  for (int i = 0; i < L - 1; ++i)
    f.limb[L - 2 - i] = kLn2FractionLimbs[i];
  return f;
}

// The bound, in ulps, on the error of ExpReduced below for any x with |x| < 760 and any width up
// to 1536 fraction bits. Derivation, with ρ = (x − k ln 2)/2^8, |ρ| < 2^−9.4, |k| ≤ 1100:
//   - k · Ln2 is off by less than |k| ≤ 1100 ulps, so the reduced argument R' is within
//     1100/2^8 + 1 < 6 ulps of ρ (the shift truncates once more);
//   - each Taylor term T_i = trunc(trunc(T_{i−1} R') / i) is within 2 ulps of ρ^i/i!, because the
//     error carried from T_{i−1} and from R' is multiplied by |ρ| or |T_{i−1}| ≤ |ρ| (< 0.02 ulp)
//     and both truncations add at most 1 ulp each; the series stops at the first term that is 0,
//     after at most W/9.4 + 2 terms, leaving a tail below 3 ulps: the sum S_0 is within
//     6 + 2(W/9.4 + 2) + 3 < W/4 + 13 ulps of e^ρ;
//   - squaring S_j = s_j + ε_j gives 2 s_j ε_j + ε_j² plus 1 ulp of truncation; over the 8
//     squarings the factors 2 s_j multiply to 2^8 e^(ρ·255) < 363, so the final error is below
//     363 (W/4 + 14) ulps: 2^18 for W = 1536.
constexpr std::uint64_t kExpErrorUlps = std::uint64_t{1} << 19;

// e^x = 2^k · value, |value − e^(x − k ln 2)| < kExpErrorUlps ulps, value in (0.7, 1.42).
// x must be a multiple of one ulp (every double of magnitude 2^−54 or more is).
template <int L>
Fixed<L> ExpReduced(double x, int* k) {
  *k = static_cast<int>(std::nearbyint(x * 0x1.71547652b82fep0));  // x / ln 2
  const Fixed<L> r = FromDouble<L>(x) - MultiplySmall(Ln2<L>(), *k);
  const Fixed<L> reduced = ShiftRight(r, kSquarings);

  Fixed<L> sum = Fixed<L>::Integer(1) + reduced;
  Fixed<L> term = reduced;
  for (std::uint64_t i = 2;; ++i) {
    term = DivideSmall(term * reduced, i);
    if (term.IsZero())
      break;
    sum = sum + term;
  }
  for (int j = 0; j < kSquarings; ++j)
    sum = sum * sum;
  return sum;
}

// Rounds the two ends of value ± error_ulps, scaled by 2^k; true when they agree.
template <int L>
bool Decide(const Fixed<L>& value, std::uint64_t error_ulps, int k, double* result) {
  const double low = RoundScaled(value - Ulps<L>(error_ulps), k);
  const double high = RoundScaled(value + Ulps<L>(error_ulps), k);
  *result = low;
  return BitsOf(low) == BitsOf(high);
}

template <int L>
bool ExpPass(double x, double* result) {
  int k = 0;
  const Fixed<L> value = ExpReduced<L>(x, &k);
  return Decide(value, kExpErrorUlps, k, result);
}

// ln x = h + ln(x e^−h) = h + log1p(z), z = x e^−h − 1 tiny because h is close to ln x.
//   - e^−h = 2^k E within kExpErrorUlps ulps; x = M 2^q exactly, so x e^−h = E M 2^(q+k), with
//     M 2^(q+k) = 1/E (1 + tiny) < 1.45: z is within 1.45 kExpErrorUlps + 1 ulps;
//   - log1p(z) = z − z²/2 + z³/3 − …, |z| < 2^−30: each term is within 2 ulps, and the error of
//     z passes through with the factor 1/(1 + z);
//   - h is exact in fixed point. In all, fewer than 2^20 + 2^19 ulps: kLogErrorUlps.
constexpr std::uint64_t kLogErrorUlps = std::uint64_t{1} << 21;

template <int L>
bool LogPass(double x, double h, double* result) {
  int k = 0;
  const Fixed<L> e = ExpReduced<L>(-h, &k);

  const BinaryParts parts = SplitBinary(x);
  Fixed<L> y = MultiplySmall(e, static_cast<std::int64_t>(parts.significand));
  const int s = parts.exponent + k;
  y = s < 0 ? ShiftRight(y, -s) : ShiftLeft(y, s);
  const Fixed<L> z = y - Fixed<L>::Integer(1);

  Fixed<L> sum = z;
  Fixed<L> power = z;
  for (std::uint64_t i = 2;; ++i) {
    power = power * z;
    const Fixed<L> term = DivideSmall(power, i);
    if (term.IsZero())
      break;
    sum = (i & 1) ? sum + term : sum - term;
  }
  return Decide(FromDouble<L>(h) + sum, kLogErrorUlps, 0, result);
}

}  // namespace

double AccurateExp(double x) {
  double result = 0;
  if (ExpPass<4>(x, &result) || ExpPass<7>(x, &result) || ExpPass<13>(x, &result) ||
      ExpPass<25>(x, &result)) {
    return result;
  }
  return result;  // unreachable for doubles: the hardest cases need far fewer bits
}

double AccurateLog(double x, double h) {
  double result = 0;
  if (LogPass<4>(x, h, &result) || LogPass<7>(x, h, &result) || LogPass<13>(x, h, &result) ||
      LogPass<25>(x, h, &result)) {
    return result;
  }
  return result;
}

}  // namespace tarvel::elementary
