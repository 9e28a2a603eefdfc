#include "chart/chart_pick.h"

#include <cmath>

#include "panel/memory_panel.h"
#include "panel/number_text.h"
#include "physics/checked_arithmetic.h"
#include "physics/moist_air.h"
#include "physics/saturation_pressure.h"
#include "solver/calculate_command.h"

namespace tarvel::chart {

namespace {

bool AtOrBelowSaturation(double t, double d, double pressure_kpa) {
  try {
    return d >= 0 && RelHumidityFromMoisture(d, Pb(t), pressure_kpa) <= 100;
  } catch (const NumericFault&) {
    return false;  // no saturation pressure at t
  }
}

}  // namespace

std::optional<PickedState> PickState(StatePoint state, const ChartPressure& pressure) {
  if (!std::isfinite(state.t) || !std::isfinite(state.d))
    return std::nullopt;
  PickedState picked{FormatNumber(state.t), FormatNumber(state.d), {}};
  if (!AtOrBelowSaturation(ParseNumber(picked.dry_bulb), ParseNumber(picked.moisture),
                           pressure.kpa))
    return std::nullopt;
  MemoryPanel panel({picked.dry_bulb, "", "", "", picked.moisture, ""}, pressure.text);
  if (RunCalculate(panel) == CalculateOutcome::Completed) {
    auto& texts = picked.parameters.emplace();
    for (int i = 0; i < kParameterCount; ++i)
      texts[i] = panel.Text(ParameterField(i));
  }
  return picked;
}

}  // namespace tarvel::chart
