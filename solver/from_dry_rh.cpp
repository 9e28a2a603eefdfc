#include <optional>

#include "panel/messages.h"
#include "physics/checked_arithmetic.h"
#include "physics/moist_air.h"
#include "physics/psychrometer.h"
#include "physics/saturation_pressure.h"
#include "solver/bisection.h"
#include "solver/chain_search.h"
#include "solver/saturation_search.h"
#include "solver/search_bounds.h"
#include "solver/search_residuals.h"
#include "solver/state_completion.h"
#include "solver/wet_bulb_span.h"

namespace tarvel {
namespace {

// The wet bulb at which the psychrometer reading matches the vapour pressure `pw`: bisection on
// tw ↦ Pv1(Pb(tw), t, tw) over [−99, t], which rises with tw for a positive pressure. In the
// filtered mode most steps are decided by the certified temperatures of WetBulbSpan, which `ps`,
// the saturation pressure at t, helps to place.
std::optional<double> SearchWetBulb(double t, double ps, double pw, double pressure_kpa,
                                    SearchMode mode) {
  const WetBulbResidual residual{t, pw, pressure_kpa};
  const std::optional<CertifiedSpan> span =
      mode == SearchMode::Filtered ? WetBulbSpan(residual, ps) : std::nullopt;
  return Bisect(kLowestTemperature, t, kWetBulbSearchSteps,
                ChainSearch(residual, kWetBulbTolerance, mode, span));
}

// The dew point: the temperature in [−99, tw] whose saturation pressure is the vapour pressure
// `pv`, to 0.00001 Pa.
std::optional<double> SearchDewPoint(double tw, double pv, SearchMode mode) {
  return Bisect(kLowestTemperature, tw, kFineDewPointSearchSteps,
                SaturationSearch(pv, kFineDewPointTolerance, mode));
}

}  // namespace

void FromDryRh(FieldPanel& panel) {
  FromDryRh(panel, {});
}

void FromDryRh(FieldPanel& panel, const KnownInputs& known, SearchMode mode) {
  // Nothing writes the dry bulb, the relative humidity or the pressure during the routine, so
  // each is read once (or not at all, when the case has just read it).
  const double t = ReadKnown(panel, AirField::DryBulb, known.dry_bulb);
  const double phi = ReadKnown(panel, AirField::RelHumidity, known.rel_humidity);
  const double pressure = ReadKnown(panel, AirField::Pressure, known.pressure);

  const double ps = SaturationOf(known.dry_bulb, t);
  const double pw = PvFromRelHumidityA(phi, ps);
  const std::optional<double> tw = SearchWetBulb(t, ps, pw, pressure, mode);
  if (!tw) {
    messages::ShowOutOfRange(panel);
    return;
  }
  WriteNumber(panel, AirField::WetBulb, *tw);

  // The vapour pressure of the air as the psychrometer gives it: the saturation pressure of the
  // wet bulb found, but the wet bulb as written (rounded) in the depression term.
  const double pwb = Pb(*tw);
  const double tw_written = ReadNumber(panel, AirField::WetBulb);
  const double pv = Pv1(pwb, t, tw_written, pressure);

  const std::optional<double> td = SearchDewPoint(*tw, pv, mode);
  if (!td) {
    messages::ShowOutOfRange(panel);
    return;
  }
  WriteNumber(panel, AirField::DewPoint, *td);

  WriteNumber(panel, AirField::MoistureContent, MoistureFromPv(pv, pressure));

  // The enthalpy follows from the moisture content as shown, rounded to two decimals.
  const double d_written = ReadNumber(panel, AirField::MoistureContent);
  WriteNumber(panel, AirField::Enthalpy, EnthalpyFromMoisture(t, d_written));
}

}  // namespace tarvel
