#pragma once

#include <optional>

#include "physics/checked_arithmetic.h"
#include "physics/float_bits.h"

namespace tarvel {

// What a search makes of the midpoint it has just tested.
enum class Verdict {
  Accept,    // within the tolerance: the search ends with this midpoint
  MoveHigh,  // the solution lies below: the midpoint becomes the upper end
  MoveLow,   // the solution lies above: the midpoint becomes the lower end
};

// Whether a search that can no longer narrow its bracket runs out its step bound anyway.
enum class StopRule {
  WhenStuck,    // stop at once: the remaining steps would all test the same midpoint
  RunOutBound,  // test every step up to the bound (the plain algorithm; kept to prove the above)
};

// Plain bisection on a temperature: tests at most `max_steps` midpoints (lo + hi) / 2, each judged
// by `verdict`, and returns the first one accepted, or nothing when none is within the bound.
//
// Once the ends are adjacent doubles the midpoint rounds onto one of them; when the verdict then
// moves that same end, the bracket is unchanged, and every later step would test the same midpoint
// with the same (pure) verdict until the bound runs out. Stopping there gives exactly the same
// outcome in microseconds instead of milliseconds.
template <typename Judge>
std::optional<double> Bisect(double lo, double hi, int max_steps, Judge&& verdict,
                             StopRule rule = StopRule::WhenStuck) {
  const auto same = [](double a, double b) {
    return BitsOf(a) == BitsOf(b);
  };
  for (int n = 0; n < max_steps; ++n) {
    const double mid = checked::Div(checked::Add(lo, hi), 2);
    switch (verdict(mid)) {
      case Verdict::Accept:
        return mid;
      case Verdict::MoveHigh:
        if (rule == StopRule::WhenStuck && same(mid, hi))
          return std::nullopt;
        hi = mid;
        break;
      case Verdict::MoveLow:
        if (rule == StopRule::WhenStuck && same(mid, lo))
          return std::nullopt;
        lo = mid;
        break;
    }
  }
  return std::nullopt;
}

}  // namespace tarvel
