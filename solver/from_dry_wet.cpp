#include <cmath>

#include "physics/checked_arithmetic.h"
#include "physics/moist_air.h"
#include "physics/psychrometer.h"
#include "physics/saturation_pressure.h"
#include "solver/messages.h"
#include "solver/state_completion.h"

namespace tarvel {

void FromDryWet(FieldPanel& panel) {
  using checked::Add;
  using checked::Div;
  using checked::Sub;

  // Nothing writes the two temperatures or the pressure during the routine: each is read once,
  // and the vapour pressure of the psychrometer reading is formed once.
  const double tw = ReadNumber(panel, AirField::WetBulb);
  const double psw = Pb(tw);
  const double t = ReadNumber(panel, AirField::DryBulb);
  const double pressure = ReadNumber(panel, AirField::Pressure);
  const double pv = Pv1(psw, t, tw, pressure);

  WriteNumber(panel, AirField::RelHumidity, RelHumidityFromPv(pv, Pb(t)));
  WriteNumber(panel, AirField::MoistureContent, MoistureFromPv(pv, pressure));

  // The enthalpy follows from the moisture content as shown, rounded to two decimals.
  const double d_written = ReadNumber(panel, AirField::MoistureContent);
  WriteNumber(panel, AirField::Enthalpy, EnthalpyFromMoisture(t, d_written));

  // Dew point: bisection on the saturation pressure between −99 °C and the wet bulb, with the
  // tolerance on the pressure. The midpoint that passes is written, not an end of the bracket.
  constexpr int kMaxMidpoints = 1000;
  double hi = tw;
  double lo = -99;
  for (int n = 0; n < kMaxMidpoints; ++n) {
    const double mid = Div(Add(hi, lo), 2);
    const double e = Sub(Pb(mid), pv);
    if (std::fabs(e) < 0.01) {
      WriteNumber(panel, AirField::DewPoint, mid);
      return;
    }
    if (e < 0) {
      lo = mid;
    } else {
      hi = mid;
    }
  }
  panel.ShowMessage(messages::kOutOfRange, MessageIcon::Critical, messages::kTitleAttention);
}

}  // namespace tarvel
