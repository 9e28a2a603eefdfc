#pragma once

#include <array>
#include <optional>
#include <string>

#include "chart/chart_pressure.h"
#include "chart/chart_range.h"
#include "panel/air_field.h"

namespace tarvel::chart {

// A state picked on the chart, as the user would type it: the dry bulb and the moisture content
// each written to two decimals, and the six parameter texts that the calculate command makes of
// them at the chart's pressure (empty when the command ends with a message).
struct PickedState {
  std::string dry_bulb;
  std::string moisture;
  std::optional<std::array<std::string, kParameterCount>> parameters;
};

// The state at (t, d), or nothing when it lies above the saturation curve at the chart's pressure
// (the calculator's own relative humidity of the two decimals exceeds 100 %) or below no moisture.
std::optional<PickedState> PickState(StatePoint state, const ChartPressure& pressure);

}  // namespace tarvel::chart
