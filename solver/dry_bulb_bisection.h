#pragma once

#include <optional>

#include "solver/bisection.h"
#include "solver/search_bounds.h"

namespace tarvel {

// The bounded bisection on a trial dry bulb that the pairs without a dry bulb run, from lo up to
// hi, at most kDryBulbSearchSteps midpoints.
template <typename Search>
[[gnu::always_inline]] inline std::optional<double> BisectDryBulb(double lo, double hi,
                                                                  const Search& search) {
  return Bisect(lo, hi, kDryBulbSearchSteps, search);
}

}  // namespace tarvel
