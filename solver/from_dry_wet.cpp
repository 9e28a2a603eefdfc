#include "panel/messages.h"
#include "physics/moist_air.h"
#include "physics/psychrometer.h"
#include "physics/saturation_pressure.h"
#include "solver/bisection.h"
#include "solver/saturation_search.h"
#include "solver/search_bounds.h"
#include "solver/state_completion.h"

namespace tarvel {

void FromDryWet(FieldPanel& panel) {
  FromDryWet(panel, {});
}

void FromDryWet(FieldPanel& panel, const KnownInputs& known, SearchMode mode) {
  // Nothing writes the two temperatures or the pressure during the routine: each is read once
  // (or not at all, when the case has just read it), and the vapour pressure of the psychrometer
  // reading is formed once.
  const double tw = ReadKnown(panel, AirField::WetBulb, known.wet_bulb);
  const double psw = SaturationOf(known.wet_bulb, tw);
  const double t = ReadKnown(panel, AirField::DryBulb, known.dry_bulb);
  const double pressure = ReadKnown(panel, AirField::Pressure, known.pressure);
  const double pv = Pv1(psw, t, tw, pressure);

  WriteNumber(panel, AirField::RelHumidity, RelHumidityFromPv(pv, Pb(t)));
  WriteNumber(panel, AirField::MoistureContent, MoistureFromPv(pv, pressure));

  // The enthalpy follows from the moisture content as shown, rounded to two decimals.
  const double d_written = ReadNumber(panel, AirField::MoistureContent);
  WriteNumber(panel, AirField::Enthalpy, EnthalpyFromMoisture(t, d_written));

  // Dew point: bisection on the saturation pressure between −99 °C and the wet bulb, with the
  // tolerance on the pressure. The midpoint that passes is written, not an end of the bracket.
  if (const std::optional<double> td = Bisect(kLowestTemperature, tw, kDewPointSearchSteps,
                                              SaturationSearch(pv, kDewPointTolerance, mode))) {
    WriteNumber(panel, AirField::DewPoint, *td);
    return;
  }
  messages::ShowOutOfRange(panel);
}

}  // namespace tarvel
