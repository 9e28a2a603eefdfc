#include "physics/saturation_pressure.h"

#include "physics/checked_arithmetic.h"
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

}  // namespace tarvel
