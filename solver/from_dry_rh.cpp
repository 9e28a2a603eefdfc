#include <optional>

#include "panel/messages.h"
#include "physics/checked_arithmetic.h"
#include "physics/moist_air.h"
#include "physics/psychrometer.h"
#include "physics/saturation_pressure.h"
#include "solver/bisection.h"
#include "solver/flat_saturation.h"
#include "solver/saturation_level.h"
#include "solver/search_residuals.h"
#include "solver/search_verdict.h"
#include "solver/state_completion.h"
#include "solver/wet_bulb_span.h"

namespace tarvel {
namespace {

// Both searches bisect on a temperature whose lower bracket end is −99 °C, the coldest air the
// calculator is meant for, and give up after this many steps that missed the tolerance.
constexpr double kLowestTemperature = -99;
constexpr int kMaxSearchSteps = 100000;

// The wet bulb at which the psychrometer reading matches the vapour pressure `pw`: bisection on
// tw ↦ Pv1(Pb(tw), t, tw) over [−99, t], which rises with tw for a positive pressure. Without a
// bound this would never end for a relative humidity above 100 %, a dry bulb below −99 °C or a
// negative pressure, so it is bounded like the dew-point search.
// In the filtered mode most steps are decided by the certified temperatures of WetBulbSpan, which
// `ps`, the saturation pressure at t, helps to place.
std::optional<double> SearchWetBulb(double t, double ps, double pw, double pressure_kpa,
                                    SearchMode mode) {
  SearchSaturation saturation;
  const WetBulbResidual residual{t, pw, pressure_kpa};
  const auto exact_residual = [&](double mid) { return residual(saturation(mid), mid); };
  const auto verdict = SearchVerdict(mode, kWetBulbTolerance, residual, saturation);
  // A dry bulb of exactly 0 °C with a target above saturation closes the bracket on 0 °C.
  const auto flat = [&](double a, double b) {
    return VerdictIsFlatOn(a, b, exact_residual, verdict, PsychrometerFactorsAreFixedOn);
  };
  if (mode == SearchMode::Filtered) {
    const SpannedJudge judge{verdict, WetBulbSpan(residual, ps)};
    return Bisect(kLowestTemperature, t, kMaxSearchSteps, judge, StopRule::WhenStuck, flat);
  }
  return Bisect(kLowestTemperature, t, kMaxSearchSteps, verdict, StopRule::WhenStuck, flat);
}

// The dew point: the temperature in [−99, tw] whose saturation pressure is the vapour pressure
// `pv`, to 0.00001 Pa.
std::optional<double> SearchDewPoint(double tw, double pv, SearchMode mode) {
  const SaturationSearch verdict(pv, kFineDewPointTolerance, mode);
  const auto residual = [&](double mid) { return verdict.Residual(mid); };
  const auto flat = [&](double a, double b) { return VerdictIsFlatOn(a, b, residual, verdict); };
  return Bisect(kLowestTemperature, tw, kMaxSearchSteps, verdict, StopRule::WhenStuck, flat);
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
