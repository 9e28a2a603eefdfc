#include "process/process_path.h"

#include "physics/checked_arithmetic.h"
#include "process/process_constants.h"

namespace tarvel::process {

using checked::Add;
using checked::Div;
using checked::Mul;
using checked::Sub;

std::vector<PathState> StraightOnEnthalpyChart(const LineEnd& from, const LineEnd& to, int segments,
                                               double reach) {
  std::vector<PathState> path;
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

}  // namespace tarvel::process
