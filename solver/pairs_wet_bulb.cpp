#include "panel/messages.h"
#include "physics/moist_air.h"
#include "physics/psychrometer.h"
#include "physics/saturation_pressure.h"
#include "solver/chain_search.h"
#include "solver/dry_bulb_bisection.h"
#include "solver/dry_bulb_spans.h"
#include "solver/pair_cases.h"
#include "solver/search_bounds.h"
#include "solver/search_residuals.h"
#include "solver/state_completion.h"

namespace tarvel {
namespace {

// The dry bulb at which a psychrometer with the given wet bulb reads the vapour pressure `pv`;
// written, then the state is completed from the two bulbs. Nothing is range-checked here: a dry
// bulb below the wet bulb is written and state completion reports what follows.
void CompleteFromVapourPressure(FieldPanel& panel, double pv, std::optional<double> pressure_read,
                                SearchMode mode) {
  const double tw = ReadNumber(panel, AirField::WetBulb);
  const double pressure = ReadKnown(panel, AirField::Pressure, pressure_read);
  const double psw = Pb(tw);
  const double t = DryBulbFromPsychrometer(psw, pv, tw, pressure);
  WriteNumber(panel, AirField::DryBulb, t);
  // The dry bulb is read back as written; the wet bulb, its saturation pressure and the pressure
  // are unchanged.
  FromDryWet(panel, {.wet_bulb = {{tw, psw}}, .pressure = pressure}, mode);
}

}  // namespace

void WetBulbWithRelHumidity(FieldPanel& panel, SearchMode mode) {
  const double tw = ReadNumber(panel, AirField::WetBulb);
  const double psw = Pb(tw);
  const double phi = ReadNumber(panel, AirField::RelHumidity);
  const double pressure = ReadNumber(panel, AirField::Pressure);
  // At the right dry bulb m the relative humidity's vapour pressure equals the psychrometer's;
  // the first rises with m and the second falls, so the difference rises. The dry bulb is never
  // below the wet bulb, and the calculator looks no higher than 100 °C.
  const PsychrometerDryBulbResidual residual{phi, psw, tw, pressure};
  const std::optional<double> t = BisectDryBulb(
      tw, kHighestDryBulb,
      ChainSearch(residual, kDryBulbTolerance, mode,
                  mode == SearchMode::Filtered ? PsychrometerDryBulbSpan(residual) : std::nullopt));
  if (!t) {
    messages::ShowOutOfRange(panel);
    return;
  }
  WriteNumber(panel, AirField::DryBulb, *t);
  FromDryRh(panel, {.rel_humidity = phi, .pressure = pressure}, mode);
}

void WetBulbWithDewPoint(FieldPanel& panel, SearchMode mode) {
  CompleteFromVapourPressure(panel, Pb(ReadNumber(panel, AirField::DewPoint)), std::nullopt, mode);
}

void WetBulbWithMoisture(FieldPanel& panel, SearchMode mode) {
  const double d = ReadNumber(panel, AirField::MoistureContent);
  const double pressure = ReadNumber(panel, AirField::Pressure);
  CompleteFromVapourPressure(panel, PvFromMoisture(d, pressure), pressure, mode);
}

}  // namespace tarvel
