#include "chart/process_lines.h"

#include "physics/checked_arithmetic.h"
#include "physics/moist_air.h"

namespace tarvel::chart {

using checked::Add;
using checked::Div;
using checked::Mul;
using checked::Sub;

std::vector<StatePoint> StraightOnEnthalpyChart(const LineEnd& from, const LineEnd& to,
                                                int segments, double reach) {
  std::vector<StatePoint> path;
  if (segments < 1)
    segments = 1;
  path.reserve(static_cast<std::size_t>(segments) + 1);
  const double dd = Sub(to.d, from.d);
  const double dh = Sub(to.h, from.h);
  path.push_back({from.t, from.d});
  for (int k = 1; k <= segments; ++k) {
    const double f = Div(Mul(k, reach), segments);
    if (f == 1) {
      path.push_back({to.t, to.d});
      continue;
    }
    const double d = Add(from.d, Mul(dd, f));
    const double h = Add(from.h, Mul(dh, f));
    path.push_back({DryBulbFromEnthalpy(h, d), d});
  }
  return path;
}

std::vector<StatePoint> ProcessLine(const LineEnd& from, const LineEnd& to, LineShape shape) {
  return StraightOnEnthalpyChart(from, to,
                                 shape == LineShape::StraightOnBoth ? 1 : kCurvedLineSegments);
}

std::vector<StatePoint> RatioLine(const LineEnd& room, const LineEnd& supply) {
  return StraightOnEnthalpyChart(room, supply, kCurvedLineSegments, kRatioLineReach);
}

}  // namespace tarvel::chart
