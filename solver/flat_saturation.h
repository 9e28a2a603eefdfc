#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

#include "physics/checked_arithmetic.h"
#include "physics/float_bits.h"
#include "physics/psychrometer.h"
#include "physics/saturation_formula.h"
#include "physics/saturation_pressure.h"
#include "solver/bisection.h"

namespace tarvel {

// Where a search's verdict provably cannot change: the short brackets on either side of 0 °C on
// which Pb gives one value, bit for bit. The searches that close on an end of exactly 0 °C halve
// through a thousand binades there; these rules let them stop once the rest is decided (see
// Bisect).
//
// (M) Every operation below is a correctly rounded IEEE operation and so monotone in each
//     argument: a chain of them from t to some value, whose other operands are fixed, gives at
//     every t of [a, b] a value between its values at a and at b. When those are equal, it is the
//     same at every t of [a, b].
//
// Pb and Pv1 both change formula between the zeros and the numbers above them (Pb takes −0 as
// 0 °C, Pv1 takes +0 with the iced wick); the rules split brackets there.
static_assert(kExponentialFitFrom == 0, "the flat rules split their brackets at the zeros");

// Pb of the temperatures that one search visits, remembering its last value below 0 °C. There Pb
// sees t only through the kelvin temperature T = t + kKelvinOffset, rounded, so a temperature with
// the same T has the same Pb, bit for bit, and would fault alike. A search that closes on a point
// below 0 °C visits hundreds of such temperatures once its bracket is narrower than T's last bit;
// each then costs an addition instead of the ice formula. Only searches whose residual can be far
// steeper than Pb (a psychrometer term or a moisture content scaled by an extreme pressure) get
// that narrow and still succeed; those whose residual is Pb itself meet their tolerance, or close
// on an end, within a few dozen steps, and do without it.
class SearchSaturation {
 public:
  double operator()(double t) {
    if (!(t < kExponentialFitFrom))
      return Pb(t);
    const std::uint64_t kelvin = BitsOf(t + kKelvinOffset);
    if (kelvin != last_kelvin_) {
      last_value_ = Pb(t);
      last_kelvin_ = kelvin;
    }
    return last_value_;
  }

 private:
  std::uint64_t last_kelvin_ = BitsOf(-1.0);  // no temperature has T = -1 K and a value
  double last_value_ = 0;
};

// Whether Pb is one value at every t of [a, b] (a ≤ b). Only brackets within 1 °C of 0 °C are
// answered.
inline bool SaturationIsFlatOn(double a, double b) {
  if (!(std::fabs(a) <= 1 && std::fabs(b) <= 1 && a <= b))
    return false;
  // (1) Below 0 °C the ice formula sees t only through T = t + kKelvinOffset; by (M), one T at
  //     both ends is one T throughout.
  if (b < kExponentialFitFrom)
    return a + kKelvinOffset == b + kKelvinOffset;
  // (2) From 0 °C (−0 too: Pb takes it as 0 °C) the fit sees t only through its exponent
  //     (A·t)/(B + t) + C, in the order Pb takes it. t is in both numerator and denominator, so
  //     the chain is monotone by (M) only where the denominator is one value: first that, then the
  //     exponent at both ends.
  if (a >= kExponentialFitFrom) {
    const double denominator = kFitB + a;
    if (kFitB + b != denominator)
      return false;
    return (kFitA * a) / denominator + kFitC == (kFitA * b) / denominator + kFitC;
  }
  return false;  // a bracket across the zeros: left to VerdictIsFlatOn's pieces
}

// Whether Pv1's two factors that depend on its wet bulb ccc, the coefficient and the wet-bulb
// factor 1 + k·ccc, are each one value for every ccc of [a, b]: both ends on one side of the
// coefficient's switch, and one factor at both ends (by (M)). Then Pv1 = aaa − Bpa·A·(bbb − ccc)·f
// is a monotone chain in ccc.
inline bool PsychrometerFactorsAreFixedOn(double a, double b) {
  return PsychrometerCoefficient(a) == PsychrometerCoefficient(b) &&
         1 + kWetBulbFactor * a == 1 + kWetBulbFactor * b;
}

// The flat rule of a search whose residual r(t) (`search.Residual`) is, wherever Pb is one value,
// a monotone chain in t, and whose verdict (`search(t)`) depends on r alone. `extra_flat(a, b)`
// holds where the residual's dependence on t beyond Pb is such a chain (always, for a residual of
// Pb alone).
//
// (3) [a, b] is taken in up to three pieces: its negative numbers, its zeros (−0 and +0) and its
//     positive numbers. On a piece where Pb is flat and `extra_flat` holds, r is a monotone chain
//     in t by (M), so one r at both ends is one r on the piece, and one verdict (Tolerance).
// (4) Every t of [a, b] gets the same verdict when each piece does and the pieces agree: each
//     piece's verdict is compared with the zeros'.
// A numeric fault at an end means no answer, never a fault of the search.
template <typename Search, typename ExtraFlat>
bool VerdictIsFlatOn(double a, double b, const Search& search, ExtraFlat&& extra_flat) {
  const auto piece = [&](double p, double q) {  // (3)
    return SaturationIsFlatOn(p, q) && extra_flat(p, q) && search.Residual(p) == search.Residual(q);
  };
  // No double lies between the smallest subnormal numbers and the zeros.
  constexpr double kTiniest = std::numeric_limits<double>::denorm_min();
  try {
    if (b < 0 || a > 0)
      return piece(a, b);
    const Verdict at_zero = search(0.0);  // (4)
    if (!piece(-0.0, 0.0))
      return false;
    if (a < 0 && !(piece(a, -kTiniest) && search(a) == at_zero))
      return false;
    if (b > 0 && !(piece(kTiniest, b) && search(b) == at_zero))
      return false;
    return true;
  } catch (const NumericFault&) {
    return false;
  }
}

// The flat rule of a search whose residual depends on t through Pb alone.
template <typename Search>
bool VerdictIsFlatOn(double a, double b, const Search& search) {
  return VerdictIsFlatOn(a, b, search, [](double, double) { return true; });
}

}  // namespace tarvel
