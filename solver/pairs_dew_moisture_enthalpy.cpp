#include "panel/messages.h"
#include "physics/checked_arithmetic.h"
#include "physics/moist_air.h"
#include "physics/saturation_pressure.h"
#include "solver/dry_bulb_bisection.h"
#include "solver/enthalpy_dry_bulb_search.h"
#include "solver/pair_cases.h"
#include "solver/search_bounds.h"
#include "solver/state_completion.h"

namespace tarvel {
namespace {

// The dry bulb at which air of moisture content `dv` (g/kg) has the enthalpy `h` (kJ/kg), written
// into Text(0); false (after the message) when no dry bulb from −99 °C to 100 °C fits.
bool WriteDryBulbOfEnthalpy(FieldPanel& panel, double dv, double h, SearchMode mode) {
  const std::optional<double> s =
      BisectDryBulb(kLowestTemperature, kHighestDryBulb, EnthalpyDryBulbSearch(dv, h, mode));
  if (!s) {
    messages::ShowOutOfRange(panel);
    return false;
  }
  WriteNumber(panel, AirField::DryBulb, *s);
  return true;
}

// Writes the relative humidity of moisture content `dr` at the dry bulb as written (rounded) and
// completes the state from the two. `t` is the dry bulb read back after it was written.
void CompleteFromWrittenDryBulb(FieldPanel& panel, double t, double dr, double pressure,
                                SearchMode mode) {
  const double ps = Pb(t);
  WriteNumber(panel, AirField::RelHumidity, RelHumidityFromMoisture(dr, ps, pressure));
  FromDryRh(panel, {.dry_bulb = {{t, ps}}, .pressure = pressure}, mode);
}

}  // namespace

void DewPointWithEnthalpy(FieldPanel& panel, SearchMode mode) {
  const double pressure = ReadNumber(panel, AirField::Pressure);
  const double dv = MoistureFromPv(Pb(ReadNumber(panel, AirField::DewPoint)), pressure);
  if (!WriteDryBulbOfEnthalpy(panel, dv, ReadNumber(panel, AirField::Enthalpy), mode))
    return;
  const double t = ReadNumber(panel, AirField::DryBulb);
  // The relative humidity agrees with the given dew point (its moisture content, unchanged).
  CompleteFromWrittenDryBulb(panel, t, dv, pressure, mode);
}

void MoistureWithEnthalpy(FieldPanel& panel, SearchMode mode) {
  const double h = ReadNumber(panel, AirField::Enthalpy);
  if (!WriteDryBulbOfEnthalpy(panel, ReadNumber(panel, AirField::MoistureContent), h, mode))
    return;
  const double t = ReadNumber(panel, AirField::DryBulb);
  // The relative humidity agrees with the given enthalpy at the rounded dry bulb: the moisture
  // content it implies there replaces the given one.
  const double dr = MoistureFromEnthalpy(h, t);
  CompleteFromWrittenDryBulb(panel, t, dr, ReadNumber(panel, AirField::Pressure), mode);
}

}  // namespace tarvel
