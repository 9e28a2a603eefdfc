#pragma once

#include "physics/moist_air.h"
#include "physics/saturation_formula.h"
#include "solver/search_bounds.h"

namespace tarvel::process {

// The numbers of the processes, each with one home. The moist-air model's own constants (622,
// 1000, 1.005, 1.84, 2500, 287: physics/moist_air.h; 273.15: physics/saturation_formula.h) and the
// searches' bracket (solver/search_bounds.h) are used by their names there: a process that
// evaluates one of the model's relations in closed form (the supply state, the path of a process
// line) must use the very same values.

// The relative humidity of saturated air, %. A mix above it is in the fog.
inline constexpr double kSaturatedRelHumidity = 100;

// Seconds per hour, for a volume flow in m³/h.
inline constexpr double kSecondsPerHour = 3600;

// How many straight pieces a process line that is straight on the 焓湿图 but curved on the t–d
// chart is drawn with. The curve is slight: a spray from 25 ℃ and 10 g/kg to 14 g/kg leaves its
// chord by 0.018 ℃ at the middle, and four pieces follow it to about 0.001 ℃.
inline constexpr int kPathSegments = 4;
// How far the heat-moisture ratio line of a supply state is drawn: from the room through the
// supply state and as far again beyond it (in units of the room-to-supply distance).
inline constexpr double kRatioLineReach = 2;

}  // namespace tarvel::process
