#include "process/air_volume.h"

#include "physics/checked_arithmetic.h"
#include "physics/moist_air.h"
#include "process/process_constants.h"

namespace tarvel::process {

using checked::Add;
using checked::Div;
using checked::Mul;

double SpecificVolume(double t, double d, double pressure_kpa) {
  const double gas = Mul(kDryAirGasConstant, Add(t, kKelvinOffset));
  const double vapour = Add(1, Div(d, kMoistureFactor));
  return Div(Mul(gas, vapour), Pascal(pressure_kpa));
}

double Density(double d, double v) {
  return Div(Add(1, Div(d, kGramsPerKilogram)), v);
}

}  // namespace tarvel::process
