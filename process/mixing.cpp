#include "process/mixing.h"

#include "physics/checked_arithmetic.h"

namespace tarvel::process {

MixedAir Mix(const std::vector<MixingStream>& streams) {
  using checked::Add;
  using checked::Div;
  using checked::Mul;
  double weights = 0;
  double moisture = 0;
  double enthalpy = 0;
  bool first = true;
  for (const MixingStream& stream : streams) {
    const double wd = Mul(stream.weight, stream.d);
    const double wh = Mul(stream.weight, stream.h);
    weights = first ? stream.weight : Add(weights, stream.weight);
    moisture = first ? wd : Add(moisture, wd);
    enthalpy = first ? wh : Add(enthalpy, wh);
    first = false;
  }
  return {Div(moisture, weights), Div(enthalpy, weights)};
}

}  // namespace tarvel::process
