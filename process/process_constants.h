#pragma once

#include "physics/moist_air.h"
#include "physics/saturation_formula.h"
#include "solver/search_bounds.h"

namespace tarvel::process {

// The numbers of the processes, each with one home. The moist-air model's own constants (622,
// 1000, 1.005, 1.84, 2500, 287: physics/moist_air.h; 273.15: physics/saturation_formula.h) and the
// searches' bracket (solver/search_bounds.h) are used by their names there: a process that
// evaluates one of the model's relations in closed form (the supply state on its ratio line) must
// use the very same values.

// The relative humidity of saturated air, %. A mix above it is in the fog.
inline constexpr double kSaturatedRelHumidity = 100;

// Seconds per hour, for a volume flow in m³/h.
inline constexpr double kSecondsPerHour = 3600;

}  // namespace tarvel::process
