#include <optional>

#include "panel/messages.h"
#include "physics/moist_air.h"
#include "physics/saturation_pressure.h"
#include "solver/chain_search.h"
#include "solver/dry_bulb_bisection.h"
#include "solver/dry_bulb_spans.h"
#include "solver/pair_cases.h"
#include "solver/saturation_search.h"
#include "solver/search_bounds.h"
#include "solver/search_residuals.h"
#include "solver/state_completion.h"

namespace tarvel {
namespace {

// Writes the dry bulb found and completes the state from it and the given relative humidity, or
// reports that no dry bulb in the searched range fits. `known` holds what the case has read: the
// relative humidity and perhaps the pressure, neither of which is written here.
void CompleteFromDryBulb(FieldPanel& panel, const std::optional<double>& t,
                         const KnownInputs& known, SearchMode mode) {
  if (!t) {
    messages::ShowOutOfRange(panel);
    return;
  }
  WriteNumber(panel, AirField::DryBulb, *t);
  FromDryRh(panel, known, mode);
}

// The dry bulb from `lo` up whose saturation pressure is `ps`.
std::optional<double> DryBulbOfSaturation(double lo, double ps, SearchMode mode) {
  return BisectDryBulb(lo, kHighestDryBulb, SaturationSearch(ps, kDryBulbTolerance, mode));
}

}  // namespace

void RelHumidityWithDewPoint(FieldPanel& panel, SearchMode mode) {
  const double td = ReadNumber(panel, AirField::DewPoint);
  const double phi = ReadNumber(panel, AirField::RelHumidity);
  const double ps = SaturationFromRelHumidity(Pb(td), phi);
  // The dry bulb is never below the dew point.
  CompleteFromDryBulb(panel, DryBulbOfSaturation(td, ps, mode), {.rel_humidity = phi}, mode);
}

void RelHumidityWithMoisture(FieldPanel& panel, SearchMode mode) {
  const double d = ReadNumber(panel, AirField::MoistureContent);
  const double phi = ReadNumber(panel, AirField::RelHumidity);
  const double pressure = ReadNumber(panel, AirField::Pressure);
  const double ps = SaturationFromRelHumidity(PvFromMoisture(d, pressure), phi);
  CompleteFromDryBulb(panel, DryBulbOfSaturation(kLowestTemperature, ps, mode),
                      {.rel_humidity = phi, .pressure = pressure}, mode);
}

void RelHumidityWithEnthalpy(FieldPanel& panel, SearchMode mode) {
  const double phi = ReadNumber(panel, AirField::RelHumidity);
  const double pressure = ReadNumber(panel, AirField::Pressure);
  const double h = ReadNumber(panel, AirField::Enthalpy);
  // The enthalpy of air with the given relative humidity at the trial dry bulb m.
  const RelHumidityDryBulbResidual residual{phi, pressure, h};
  const std::optional<double> t = BisectDryBulb(
      kLowestTemperature, kHighestDryBulb,
      ChainSearch(residual, kDryBulbTolerance, mode,
                  mode == SearchMode::Filtered ? RelHumidityDryBulbSpan(residual) : std::nullopt));
  CompleteFromDryBulb(panel, t, {.rel_humidity = phi, .pressure = pressure}, mode);
}

}  // namespace tarvel
