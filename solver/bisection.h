#pragma once

#include <algorithm>
#include <cmath>
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

// How a search judges the residual r at its midpoint: within the tolerance it accepts the
// midpoint, otherwise the sign of r says which end moves. The wet-bulb search accepts |r| equal to
// its tolerance and moves its upper end only for r > 0; every other search accepts |r| below its
// tolerance only and moves its upper end for r ≥ 0 (r is never NaN: the chains fault first).
//
// Either way the verdict is monotone in r: MoveLow below an interval of r, Accept on it, MoveHigh
// above. So when it is the same at both ends of an interval, it is the same on all of it.
struct Tolerance {
  double width;
  bool inclusive;

  Verdict operator()(double r) const {
    const double size = std::fabs(r);
    if (inclusive ? size <= width : size < width)
      return Verdict::Accept;
    return (inclusive ? r > 0 : r >= 0) ? Verdict::MoveHigh : Verdict::MoveLow;
  }
};

// Whether a search may end as soon as its outcome is decided, or runs out its step bound anyway.
enum class StopRule {
  WhenStuck,    // stop once the remaining steps cannot accept a midpoint (see Bisect)
  RunOutBound,  // test every step up to the bound (the plain algorithm; kept to prove the above)
};

// After this many steps, and then every kFlatCheckEvery steps, a search with a flat rule asks it
// about its bracket. An ordinary search has met its tolerance long before; the searches that need
// it narrow on one double for a thousand steps.
inline constexpr int kFirstFlatCheck = 48;
inline constexpr int kFlatCheckEvery = 16;

// Plain bisection on a temperature: tests at most `max_steps` midpoints (lo + hi) / 2 and returns
// the first one that `search` accepts, or nothing when none is within the bound.
//
// A search is its residual judged by its tolerance: `search(m)` gives the verdict at m, a pure
// function of m. That is all the plain algorithm needs, and all a search must have. A search may
// know more, and then says so by two members that Bisect looks for:
// - `Certified()`: where its verdicts are known without testing (a CertifiedSpan, or nothing).
//   Those steps are made by CertifiedSteps, which leaves the bracket and the count exactly as the
//   plain steps would; they stop before the first flat check, so that every check is still asked
//   at its step.
// - `FlatOn(a, b)`: true only when every double in [a, b] gets one and the same verdict, and
//   testing any of them raises no numeric fault (flat_saturation.h).
//
// With StopRule::WhenStuck it returns nothing as soon as no later step can accept, which gives
// exactly the plain algorithm's outcome:
// (1) Once the ends are adjacent doubles the midpoint rounds onto one of them; when the verdict
//     then moves that same end, the bracket is unchanged, and every later step would test the same
//     midpoint with the same (pure) verdict until the bound runs out.
// (2) Every later midpoint lies in the current bracket [a, b]: the sum of two doubles of [a, b]
//     rounds into [2a, 2b] and half of it into [a, b], rounding being monotone and 2a, 2b
//     representable (the flat rule only vouches for short brackets, where nothing overflows). So
//     when `FlatOn(a, b)` vouches for one verdict on all of [a, b], that verdict is the one just
//     given to the midpoint that is now an end, which did not accept; no later step accepts or
//     faults either, and the plain algorithm too ends without a result, by its bound or stuck.
// Near 0 °C the doubles are densest: a bracket that closes on an end of exactly 0 halves its
// other end towards it through a thousand binades, and only the flat rule ends it early.
//
// Inlined into its caller, where the search is built: its members then stay in registers.
template <typename Search>
[[gnu::always_inline]] inline std::optional<double> Bisect(double lo, double hi, int max_steps,
                                                           const Search& search,
                                                           StopRule rule = StopRule::WhenStuck) {
  const auto same = [](double a, double b) { return BitsOf(a) == BitsOf(b); };
  std::optional<CertifiedSpan> span;
  if constexpr (requires { search.Certified(); })
    span = search.Certified();
  for (int n = 0; n < max_steps; ++n) {
    if (span && n < kFirstFlatCheck) {
      n += CertifiedSteps(lo, hi, std::min(max_steps, kFirstFlatCheck) - n, *span);
      if (n >= max_steps)
        break;
    }
    const double mid = checked::Div(checked::Add(lo, hi), 2);
    switch (search(mid)) {
      case Verdict::Accept:
        return mid;
      case Verdict::MoveHigh:
        if (rule == StopRule::WhenStuck && same(mid, hi))  // (1)
          return std::nullopt;
        hi = mid;
        break;
      case Verdict::MoveLow:
        if (rule == StopRule::WhenStuck && same(mid, lo))  // (1)
          return std::nullopt;
        lo = mid;
        break;
    }
    if constexpr (requires { search.FlatOn(lo, hi); }) {
      if (rule == StopRule::WhenStuck && n >= kFirstFlatCheck && n % kFlatCheckEvery == 0 &&
          search.FlatOn(std::min(lo, hi), std::max(lo, hi))) {
        return std::nullopt;  // (2)
      }
    }
  }
  return std::nullopt;
}

}  // namespace tarvel
