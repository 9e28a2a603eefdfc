#pragma once

#include <cmath>
#include <limits>
#include <optional>
#include <span>

#include "physics/float_bits.h"
#include "solver/certified_steps.h"

namespace tarvel {

// A piece of the temperature axis on which a search's residual follows one rising real function:
// a branch of Pb, or the zeros where a residual takes another formula than on either side.
struct SpanPiece {
  double first;
  double last;
};

// A span joined from certificates piece by piece, for a search whose midpoints lie in (lo, hi),
// `low` and `high` its guessed temperatures just below and just above the span of temperature its
// tolerance accepts. The pieces are in order and adjoin (each begins at the double after the last
// one's end), and the first holds lo. `certify` vouches for one piece at a time:
// `MoveLowUpTo(i, τ)`, that every double of piece i from its first up to τ is judged MoveLow, and
// `MoveHighFrom(i, τ)`, that every one from τ up to its last (below hi, for the piece that reaches
// beyond hi) is judged MoveHigh; each also that judging them raises no numeric fault.
// (1) MoveLow: up from lo's piece, each piece that `low` lies beyond whole (up to its last), then
//     low's own piece up to low; it ends at the first piece that is not certified.
// (2) MoveHigh: from high in its piece (from lo's piece's first, when high lies below it) up
//     through each piece that begins below hi, whole; where a piece is not certified the span
//     ends before it, and otherwise at hi, beyond which no midpoint lies.
// The two parts stay apart, as low < high.
template <typename Certify>
std::optional<CertifiedSpan> PiecewiseSpan(std::span<const SpanPiece> pieces, double lo, double hi,
                                           double low, double high, const Certify& certify) {
  constexpr double kInfinity = std::numeric_limits<double>::infinity();
  const int count = static_cast<int>(pieces.size());
  int first = 0;
  while (first < count && !(lo <= pieces[first].last))
    ++first;
  if (first == count || !(lo >= pieces[first].first) || !(low < high))
    return std::nullopt;
  CertifiedSpan span{pieces[first].first, -kInfinity, kInfinity, pieces[first].first};
  for (int i = first; i < count; ++i) {  // (1)
    const bool ends_here = low <= pieces[i].last;
    const double tau = ends_here ? low : pieces[i].last;
    if (!(tau >= pieces[i].first) || !certify.MoveLowUpTo(i, tau))
      break;
    span.move_low_to = tau;
    if (ends_here)
      break;
  }
  int i = first;
  while (i < count && !(high <= pieces[i].last))
    ++i;
  for (; i < count && pieces[i].first < hi; ++i) {  // (2)
    const double tau = std::fmax(high, pieces[i].first);
    if (!certify.MoveHighFrom(i, tau))
      break;
    if (span.move_high_from == kInfinity)
      span.move_high_from = tau;
    span.below = pieces[i].last < hi ? NextUp(pieces[i].last) : hi;
  }
  // With no MoveHigh part the span still covers the whole bracket, so that its MoveLow steps are
  // made.
  if (span.move_high_from == kInfinity)
    span.below = hi;
  return IfCertifying(span);
}

}  // namespace tarvel
