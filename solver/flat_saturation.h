#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

#include "physics/checked_arithmetic.h"
#include "physics/float_bits.h"
#include "physics/saturation_pressure.h"
#include "solver/bisection.h"

namespace tarvel {

// Where a search's verdict provably cannot change: the short brackets on either side of 0 °C on
// which Pb gives one value, bit for bit. The searches that close on an end of exactly 0 °C halve
// through a thousand binades there; these rules let them stop once the rest is decided (see
// Bisect).
//
// Every operation below is a correctly rounded IEEE operation and so monotone in each argument: a
// chain of them from t to some value, whose other operands are fixed, gives at every t of [a, b] a
// value between its values at a and at b. When those are equal, it is the same at every t of
// [a, b].

// Pb of the temperatures that one search visits, remembering its last value below 0 °C. There Pb
// sees t only through the kelvin temperature T = t + 273.15, rounded, so a temperature with the
// same T has the same Pb, bit for bit, and would fault alike. A search that closes on a point
// below 0 °C visits hundreds of such temperatures once its bracket is narrower than T's last bit;
// each then costs an addition instead of the ice formula. Only searches whose residual can be far
// steeper than Pb (a psychrometer term or a moisture content scaled by an extreme pressure) get
// that narrow and still succeed; those whose residual is Pb itself meet their tolerance, or close
// on an end, within a few dozen steps, and do without it.
class SearchSaturation {
 public:
  double operator()(double t) {
    if (!(t < 0))
      return Pb(t);
    const std::uint64_t kelvin = BitsOf(t + 273.15);
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

// Whether Pb is one value at every t of [a, b] (a <= b), by the two formulas that meet at 0 °C:
// - below 0 °C the ice formula sees t only through the kelvin temperature T = t + 273.15;
// - from 0 °C to 30 °C the exponential form sees t only through (17.438·t)/(239.78 + t) + 6.4147,
//   a monotone chain in t wherever its denominator 239.78 + t is one value.
// Both are taken in the order Pb takes them. Only brackets within 1 °C of 0 °C are answered.
inline bool SaturationIsFlatOn(double a, double b) {
  if (!(std::fabs(a) <= 1 && std::fabs(b) <= 1 && a <= b))
    return false;
  if (b < 0)
    return a + 273.15 == b + 273.15;
  if (a >= 0) {  // -0 °C too: Pb takes it as 0 °C
    const double denominator = 239.78 + a;
    if (239.78 + b != denominator)
      return false;
    return (17.438 * a) / denominator + 6.4147 == (17.438 * b) / denominator + 6.4147;
  }
  return false;
}

// Whether Pv1's two factors that depend on its wet bulb ccc, the coefficient (0.000666 above 0 °C,
// 0.000594 at and below) and 1 + 0.00115·ccc, are each one value for every ccc of [a, b]. Then
// Pv1 = aaa − 1000·B·A·(bbb − ccc)·(1 + 0.00115·ccc) is a monotone chain in ccc.
inline bool PsychrometerFactorsAreFixedOn(double a, double b) {
  return (a > 0) == (b > 0) && 1 + 0.00115 * a == 1 + 0.00115 * b;
}

// The flat rule of a search whose residual r(t) is, wherever Pb is one value, a monotone chain in
// t, and whose verdict depends on r alone. [a, b] is taken in up to three pieces: its negative
// numbers, its zeros (-0 and +0) and its positive numbers, as Pb and Pv1 change formula between
// 0 °C and the numbers above it. Every t of [a, b] gets the same verdict when on each piece Pb is
// flat, `extra_flat` (if the residual depends on t beyond Pb) holds and r has one value at both
// ends, and the pieces agree in verdict. A numeric fault at an end means no answer, never a fault
// of the search.
template <typename Residual, typename Judge, typename ExtraFlat>
bool VerdictIsFlatOn(double a, double b, Residual& residual, Judge& verdict,
                     ExtraFlat&& extra_flat) {
  const auto piece = [&](double p, double q) {
    return SaturationIsFlatOn(p, q) && extra_flat(p, q) && residual(p) == residual(q);
  };
  // No double lies between the smallest subnormal numbers and the zeros.
  constexpr double kTiniest = std::numeric_limits<double>::denorm_min();
  try {
    if (b < 0 || a > 0)
      return piece(a, b);
    const Verdict at_zero = verdict(0.0);
    if (!piece(-0.0, 0.0))
      return false;
    if (a < 0 && !(piece(a, -kTiniest) && verdict(a) == at_zero))
      return false;
    if (b > 0 && !(piece(kTiniest, b) && verdict(b) == at_zero))
      return false;
    return true;
  } catch (const NumericFault&) {
    return false;
  }
}

// The flat rule of a search whose residual depends on t through Pb alone.
template <typename Residual, typename Judge>
bool VerdictIsFlatOn(double a, double b, Residual& residual, Judge& verdict) {
  return VerdictIsFlatOn(a, b, residual, verdict, [](double, double) { return true; });
}

}  // namespace tarvel
