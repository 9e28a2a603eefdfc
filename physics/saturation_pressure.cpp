#include "physics/saturation_pressure.h"

#include "physics/checked_arithmetic.h"
#include "physics/saturation_enclosure.h"
#include "physics/saturation_formula.h"

namespace tarvel {
namespace {

// The correctly rounded functions, with the check that ends a command on a non-finite result.
struct CheckedElementary {
  static double Pow(double x, int n) { return checked::Pow(x, n); }
  static double Exp(double x) { return checked::Exp(x); }
  static double Log(double x) { return checked::Log(x); }
};

}  // namespace

double Pb(double temprature) {
  return SaturationFormula<CheckedElementary>::Evaluate(temprature, kLnOfLiteralE);
}

// The same formula on the enclosures of its elementary functions, with the same ln_e. Within the
// domain no checked operation of it can fault: t, T and every exponent are moderate numbers.
RoundedInterval EncloseSaturation(double t) {
  if (!(t >= kEnclosureLowest && t <= kEnclosureHighest))
    return {};
  return SaturationFormula<EnclosingElementary>::Evaluate(t, kLnOfLiteralE);
}

RoundedInterval EncloseIceExponent(double t) {
  if (!(t >= kEnclosureLowest && t < kExponentialFitFrom))
    return {};
  return SaturationFormula<EnclosingElementary>::HylandWexlerIceExponent(t, kLnOfLiteralE);
}

}  // namespace tarvel
