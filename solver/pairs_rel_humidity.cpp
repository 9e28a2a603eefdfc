#include "physics/checked_arithmetic.h"
#include "physics/moist_air.h"
#include "physics/saturation_pressure.h"
#include "solver/bisect_dry_bulb.h"
#include "solver/messages.h"
#include "solver/pair_cases.h"
#include "solver/state_completion.h"

namespace tarvel {
namespace {

// Writes the dry bulb found and completes the state from it and the given relative humidity, or
// reports that no dry bulb in the searched range fits. `known` holds what the case has read: the
// relative humidity and perhaps the pressure, neither of which is written here.
void CompleteFromDryBulb(FieldPanel& panel, const std::optional<double>& t,
                         const KnownInputs& known) {
  if (!t) {
    messages::ShowOutOfRange(panel);
    return;
  }
  WriteNumber(panel, AirField::DryBulb, *t);
  FromDryRh(panel, known);
}

// The dry bulb whose saturation pressure is `ps`.
std::optional<double> DryBulbOfSaturation(double lo, double ps) {
  return BisectDryBulbNearSaturation(lo, 100, [ps](double m) { return checked::Sub(Pb(m), ps); });
}

}  // namespace

void RelHumidityWithDewPoint(FieldPanel& panel) {
  const double td = ReadNumber(panel, AirField::DewPoint);
  const double phi = ReadNumber(panel, AirField::RelHumidity);
  const double ps = SaturationFromRelHumidity(Pb(td), phi);
  // The dry bulb is never below the dew point.
  CompleteFromDryBulb(panel, DryBulbOfSaturation(td, ps), {.rel_humidity = phi});
}

void RelHumidityWithMoisture(FieldPanel& panel) {
  const double d = ReadNumber(panel, AirField::MoistureContent);
  const double phi = ReadNumber(panel, AirField::RelHumidity);
  const double pressure = ReadNumber(panel, AirField::Pressure);
  const double ps = SaturationFromRelHumidity(PvFromMoisture(d, pressure), phi);
  CompleteFromDryBulb(panel, DryBulbOfSaturation(-99, ps),
                      {.rel_humidity = phi, .pressure = pressure});
}

void RelHumidityWithEnthalpy(FieldPanel& panel) {
  const double phi = ReadNumber(panel, AirField::RelHumidity);
  const double pressure = ReadNumber(panel, AirField::Pressure);
  const double h = ReadNumber(panel, AirField::Enthalpy);
  // The enthalpy of air with the given relative humidity at the trial dry bulb m. The moisture
  // content goes into the enthalpy in kg/kg as it is, not by way of g/kg.
  SearchSaturation saturation;
  const auto residual = [&](double m) {
    const double p = saturation(m);
    const double dk = checked::Div(MoistureFromRelHumidity(phi, p, pressure), 1000);
    return checked::Sub(EnthalpyFromMoistureRatio(m, dk), h);
  };
  CompleteFromDryBulb(panel, BisectDryBulb(-99, 100, residual),
                      {.rel_humidity = phi, .pressure = pressure});
}

}  // namespace tarvel
