#pragma once

#include <algorithm>
#include <optional>

#include "physics/checked_arithmetic.h"
#include "physics/float_bits.h"
#include "solver/certified_steps.h"

namespace tarvel {

// What a search makes of the midpoint it has just tested.
enum class Verdict {
  Accept,    // within the tolerance: the search ends with this midpoint
  MoveHigh,  // the solution lies below: the midpoint becomes the upper end
  MoveLow,   // the solution lies above: the midpoint becomes the lower end
};

// Whether a search may end as soon as its outcome is decided, or runs out its step bound anyway.
enum class StopRule {
  WhenStuck,    // stop once the remaining steps cannot accept a midpoint (see Bisect)
  RunOutBound,  // test every step up to the bound (the plain algorithm; kept to prove the above)
};

// A search's knowledge of where its verdict cannot change. `flat(a, b)` may answer true only when
// every double in [a, b] gets one and the same verdict, and testing any of them raises no numeric
// fault. This default knows of no such place.
struct NoFlatRegion {
  bool operator()(double, double) const { return false; }
};

// After this many steps, and then every kFlatCheckEvery steps, a search with a flat rule asks it
// about its bracket. An ordinary search has met its tolerance long before; the searches that need
// it narrow on one double for a thousand steps.
inline constexpr int kFirstFlatCheck = 48;
inline constexpr int kFlatCheckEvery = 16;

// Plain bisection on a temperature: tests at most `max_steps` midpoints (lo + hi) / 2, each judged
// by `verdict`, and returns the first one accepted, or nothing when none is within the bound.
//
// With StopRule::WhenStuck it returns nothing as soon as no later step can accept, which gives
// exactly the plain algorithm's outcome:
// - Once the ends are adjacent doubles the midpoint rounds onto one of them; when the verdict then
//   moves that same end, the bracket is unchanged, and every later step would test the same
//   midpoint with the same (pure) verdict until the bound runs out.
// - Every later midpoint lies in the current bracket [a, b]: the sum of two doubles of [a, b]
// rounds
//   into [2a, 2b] and half of it into [a, b], rounding being monotone and 2a, 2b representable (the
//   flat rule only vouches for short brackets, where nothing overflows). So when `flat(a, b)`
//   vouches for one verdict on all of [a, b], that verdict is the one just given to the midpoint
//   that is now an end, which did not accept; no later step accepts or faults either, and the
//   plain algorithm too ends without a result, by its bound or by getting stuck.
// Near 0 °C the doubles are densest: a bracket that closes on an end of exactly 0 halves its
// other end towards it through a thousand binades, and only the flat rule ends it early.
template <typename Judge, typename Flat = NoFlatRegion>
std::optional<double> Bisect(double lo, double hi, int max_steps, Judge&& verdict,
                             StopRule rule = StopRule::WhenStuck, Flat&& flat = Flat{}) {
  const auto same = [](double a, double b) { return BitsOf(a) == BitsOf(b); };
  // A judge that knows where its verdicts are certified has the steps there made by
  // CertifiedSteps, which leaves the bracket and the count as the plain steps would. They stop
  // before the first flat check, so that every check is still asked at its step.
  std::optional<CertifiedSpan> span;
  if constexpr (requires { verdict.Certified(); })
    span = verdict.Certified();
  for (int n = 0; n < max_steps; ++n) {
    if (span && n < kFirstFlatCheck) {
      n += CertifiedSteps(lo, hi, std::min(max_steps, kFirstFlatCheck) - n, *span);
      if (n >= max_steps)
        break;
    }
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
    if (rule == StopRule::WhenStuck && n >= kFirstFlatCheck && n % kFlatCheckEvery == 0 &&
        flat(std::min(lo, hi), std::max(lo, hi))) {
      return std::nullopt;
    }
  }
  return std::nullopt;
}

}  // namespace tarvel
