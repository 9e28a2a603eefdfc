#include "physics/moist_air.h"
#include "physics/saturation_pressure.h"
#include "solver/pair_cases.h"
#include "solver/state_completion.h"

namespace tarvel {
namespace {

// With the dry bulb given, every second value is first brought to a moisture content d (g/kg);
// the relative humidity at the dry bulb follows from d, is written, and completes the state.
// A relative humidity above 100 % is passed on as it is. `known` holds the dry bulb or the
// pressure when the case has read them already; nothing here writes either. State completion gets
// the saturation pressure of the dry bulb formed here.
void CompleteFromGivenDryBulb(FieldPanel& panel, double d, KnownInputs known, SearchMode mode) {
  const double pressure = ReadKnown(panel, AirField::Pressure, known.pressure);
  const double t = ReadKnown(panel, AirField::DryBulb, known.dry_bulb);
  const double ps = Pb(t);
  WriteNumber(panel, AirField::RelHumidity, RelHumidityFromMoisture(d, ps, pressure));
  FromDryRh(panel, {.dry_bulb = {{t, ps}}, .pressure = pressure}, mode);
}

}  // namespace

void DryBulbWithDewPoint(FieldPanel& panel, SearchMode mode) {
  // The vapour pressure of the air is the saturation pressure at its dew point.
  const double pv = Pb(ReadNumber(panel, AirField::DewPoint));
  const double pressure = ReadNumber(panel, AirField::Pressure);
  const double d = MoistureFromPv(pv, pressure);
  CompleteFromGivenDryBulb(panel, d, {.pressure = pressure}, mode);
}

void DryBulbWithMoisture(FieldPanel& panel, SearchMode mode) {
  CompleteFromGivenDryBulb(panel, ReadNumber(panel, AirField::MoistureContent), {}, mode);
}

void DryBulbWithEnthalpy(FieldPanel& panel, SearchMode mode) {
  const double t = ReadNumber(panel, AirField::DryBulb);
  const double h = ReadNumber(panel, AirField::Enthalpy);
  CompleteFromGivenDryBulb(panel, MoistureFromEnthalpy(h, t), {.dry_bulb = {{t}}}, mode);
}

}  // namespace tarvel
