#pragma once

#include "solver/bisection.h"

namespace tarvel {

// The brackets, tolerances and step bounds of the calculator's searches. Every search runs
// Bisect with these; the filters' proofs name them where they rely on them.

// The lower end of every search's bracket but those of pairs 8 and 12, which start from the wet
// bulb and the dew point (°C): the coldest air the calculator is meant for.
inline constexpr double kLowestTemperature = -99;
// The upper end of the dry-bulb searches of the pairs without a dry bulb (°C).
inline constexpr double kHighestDryBulb = 100;

// The most steps that miss the tolerance, per search. The dew point of the dry-bulb/relative-
// humidity completion has its bound of 100000; its wet bulb has none by the algorithm, which would
// then never end for a relative humidity above 100 %, a dry bulb below −99 °C or a negative
// pressure, so it is bounded alike. Every other search tests at most 1000 midpoints.
inline constexpr int kWetBulbSearchSteps = 100000;
inline constexpr int kFineDewPointSearchSteps = 100000;
inline constexpr int kDewPointSearchSteps = 1000;
inline constexpr int kDryBulbSearchSteps = 1000;

// The tolerances, in the unit of each search's residual.
// The wet bulb of the dry-bulb/relative-humidity completion: |r| ≤ 0.01 Pa.
inline constexpr Tolerance kWetBulbTolerance{0.01, true};
// Its dew point: |r| < 0.00001 Pa.
inline constexpr Tolerance kFineDewPointTolerance{0.00001, false};
// The dew point of the dry/wet-bulb completion: |r| < 0.01 Pa.
inline constexpr Tolerance kDewPointTolerance{0.01, false};
// The dry bulb of the pairs without one: |r| < 0.01 Pa or kJ/kg. Each of these searches judges a
// trial dry bulb m by a residual that is 0 at the solution and rises with m (the search relies on
// that sign and never tests it). It succeeds with the first midpoint whose residual is within the
// tolerance, not refined further, and fails after kDryBulbSearchSteps midpoints; a bracket that
// does not hold the solution closes in on one end and fails the same way.
inline constexpr Tolerance kDryBulbTolerance{0.01, false};

}  // namespace tarvel
