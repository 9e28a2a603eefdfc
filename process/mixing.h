#pragma once

#include <vector>

namespace tarvel::process {

// One stream of a mix: its dry-air mass flow (any positive weight) and its moisture content
// (g/kg) and enthalpy (kJ/kg).
struct MixingStream {
  double weight;
  double d;
  double h;
};

struct MixedAir {
  double d;  // g/kg
  double h;  // kJ/kg
};

// The adiabatic mix of the streams: d = Σ w·d / Σ w and h = Σ w·h / Σ w. Each sum is formed left
// to right in stream order (w₁·x₁ + w₂·x₂, then + w₃·x₃, ...), each product rounded before it is
// added; then each sum is divided by the sum of the weights, formed the same way. Raises a numeric
// fault for a result that is not finite (for instance weights that sum to zero).
MixedAir Mix(const std::vector<MixingStream>& streams);

}  // namespace tarvel::process
