#include "physics/moist_air.h"
#include "physics/saturation_pressure.h"
#include "solver/pair_cases.h"
#include "solver/state_completion.h"

namespace tarvel {
namespace {

// With the dry bulb given, every second value is first brought to a moisture content d (g/kg);
// the relative humidity at the dry bulb follows from d, is written, and completes the state.
// A relative humidity above 100 % is passed on as it is.
void CompleteFromMoisture(FieldPanel& panel, double d) {
  const double pressure = ReadNumber(panel, AirField::Pressure);
  const double ps = Pb(ReadNumber(panel, AirField::DryBulb));
  WriteNumber(panel, AirField::RelHumidity, RelHumidityFromMoisture(d, ps, pressure));
  FromDryRh(panel);
}

}  // namespace

void DryBulbWithDewPoint(FieldPanel& panel) {
  // The vapour pressure of the air is the saturation pressure at its dew point.
  const double pv = Pb(ReadNumber(panel, AirField::DewPoint));
  const double d = MoistureFromPv(pv, ReadNumber(panel, AirField::Pressure));
  CompleteFromMoisture(panel, d);
}

void DryBulbWithMoisture(FieldPanel& panel) {
  CompleteFromMoisture(panel, ReadNumber(panel, AirField::MoistureContent));
}

void DryBulbWithEnthalpy(FieldPanel& panel) {
  const double t = ReadNumber(panel, AirField::DryBulb);
  const double h = ReadNumber(panel, AirField::Enthalpy);
  CompleteFromMoisture(panel, MoistureFromEnthalpy(h, t));
}

}  // namespace tarvel
