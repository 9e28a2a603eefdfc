#include "chart/chart_curves.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>

#include "physics/checked_arithmetic.h"
#include "physics/moist_air.h"
#include "physics/saturation_pressure.h"

namespace tarvel::chart {
namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
// Pb changes its formula at these temperatures (°C), and its value steps there.
constexpr double kBranchBounds[] = {0, 30};
// The most lines of one kind, so that a grown range does not turn into a grey area.
constexpr int kMostLines = 40;
// Samples of a relative-humidity curve: every 0.25 °C, or 400 over a wide range.
constexpr double kFinestStep = 0.25;  // °C
constexpr int kMostSamples = 400;
// Samples of a line of constant enthalpy, which is nearly straight on the t–d layout.
constexpr int kEnthalpySamples = 24;

// The moisture content in g/kg of air at t whose relative humidity is phi, or +∞ where no such
// air exists at this pressure: its vapour pressure would reach the pressure itself.
double MoistureOnCurve(double phi, double t, double pressure_kpa) {
  try {
    const double d = MoistureFromRelHumidity(phi, Pb(t), pressure_kpa);
    return d >= 0 ? d : kInfinity;
  } catch (const NumericFault&) {
    return kInfinity;
  }
}

// The last t of [lo, hi] at which `holds` is still true, for a predicate true at lo and false at
// hi with one change between (found to the last bits).
double LastHolding(double lo, double hi, const std::function<bool(double)>& holds) {
  for (int step = 0; step < 200; ++step) {
    const double mid = lo + (hi - lo) / 2;
    if (mid == lo || mid == hi)
      break;
    (holds(mid) ? lo : hi) = mid;
  }
  return lo;
}

// The smallest step of `steps` that gives at most kMostLines lines over the span.
double StepFor(double span, std::initializer_list<double> steps) {
  for (const double step : steps) {
    if (span / step <= kMostLines)
      return step;
  }
  return *(steps.end() - 1);
}

// Calls line(k · step, k) for every whole multiple of the step in [lo, hi].
void ForMultiples(double lo, double hi, double step,
                  const std::function<void(double, long)>& line) {
  for (long k = static_cast<long>(std::ceil(lo / step)); k * step <= hi; ++k)
    line(k * step, k);
}

// The temperatures at which a relative-humidity curve is evaluated: evenly over the range, and on
// both sides of each step of Pb.
std::vector<double> SampleTemperatures(const ChartRange& range) {
  const double span = range.t_max - range.t_min;
  const int count = static_cast<int>(std::ceil(span / std::max(kFinestStep, span / kMostSamples)));
  std::vector<double> ts;
  for (int i = 0; i <= count; ++i)
    ts.push_back(i == count ? range.t_max : range.t_min + span * i / count);
  for (const double bound : kBranchBounds) {
    if (bound > range.t_min && bound <= range.t_max) {
      ts.push_back(std::nextafter(bound, -kInfinity));
      ts.push_back(bound);
    }
  }
  std::sort(ts.begin(), ts.end());
  ts.erase(std::unique(ts.begin(), ts.end()), ts.end());
  return ts;
}

// A relative-humidity curve, from the range's left edge until it leaves the range through its top
// (its moisture content rises with t but for Pb's two small steps down, so once out it stays out
// but for a sliver at 0 °C or 30 °C, which is not drawn).
Curve RelHumidityCurve(double phi, const std::vector<double>& ts, const ChartRange& range,
                       double pressure_kpa) {
  Curve curve{phi >= 100 ? CurveKind::Saturation : CurveKind::RelHumidity, phi, true, {}};
  const auto d_at = [&](double t) { return MoistureOnCurve(phi, t, pressure_kpa); };
  for (const double t : ts) {
    const double d = d_at(t);
    if (d <= range.d_max) {
      curve.points.push_back({t, d});
      continue;
    }
    if (!curve.points.empty()) {
      const double last =
          LastHolding(curve.points.back().t, t, [&](double x) { return d_at(x) <= range.d_max; });
      if (last > curve.points.back().t)
        curve.points.push_back({last, d_at(last)});
    }
    break;
  }
  return curve;
}

// A line of constant enthalpy h, from the saturation curve (or the range's top or left edge) down
// to no moisture (or the range's right edge).
Curve EnthalpyLine(double h, bool labelled, const ChartRange& range, double pressure_kpa) {
  Curve curve{CurveKind::Enthalpy, h, labelled, {}};
  const auto d_at = [&](double t) { return MoistureFromEnthalpy(h, t); };
  // Below the saturation curve and the range's top: false to the left of the line's upper end.
  const auto below_top = [&](double t) {
    return d_at(t) <= std::min(range.d_max, MoistureOnCurve(100, t, pressure_kpa));
  };
  const auto above_bottom = [&](double t) { return d_at(t) >= range.d_min; };
  double a = range.t_min;
  if (!below_top(a)) {
    if (!below_top(range.t_max))
      return curve;
    a = LastHolding(range.t_max, a, below_top);
  }
  if (!above_bottom(a))
    return curve;
  const double b =
      above_bottom(range.t_max) ? range.t_max : LastHolding(a, range.t_max, above_bottom);
  for (int i = 0; i <= kEnthalpySamples; ++i) {
    const double t = i == kEnthalpySamples ? b : a + (b - a) * i / kEnthalpySamples;
    curve.points.push_back({t, d_at(t)});
  }
  return curve;
}

}  // namespace

std::vector<Curve> ChartCurves(const ChartRange& range, double pressure_kpa) {
  std::vector<Curve> curves;
  const auto saturation = [&](double t) { return MoistureOnCurve(100, t, pressure_kpa); };

  // The moisture grid: from the saturation curve (or the left edge) to the right edge.
  const double d_step = StepFor(range.d_max - range.d_min, {1, 2, 5, 10, 20, 50, 100});
  ForMultiples(range.d_min, range.d_max, d_step, [&](double d, long k) {
    if (d <= range.d_min || saturation(range.t_max) < d)
      return;
    const double from =
        saturation(range.t_min) >= d
            ? range.t_min
            : LastHolding(range.t_max, range.t_min, [&](double t) { return saturation(t) >= d; });
    curves.push_back({CurveKind::Moisture, d, k % 2 == 0, {{from, d}, {range.t_max, d}}});
  });

  // Isotherms: from no moisture up to the saturation curve (or the top edge).
  const double t_step = StepFor(range.t_max - range.t_min, {5, 10, 20});
  ForMultiples(range.t_min, range.t_max, t_step, [&](double t, long k) {
    const double top = std::min(range.d_max, saturation(t));
    curves.push_back({CurveKind::Isotherm, t, k % 2 == 0, {{t, range.d_min}, {t, top}}});
  });

  const double h_lo = EnthalpyFromMoisture(range.t_min, range.d_min);
  const double h_hi = EnthalpyFromMoisture(range.t_max, range.d_max);
  const double h_step = StepFor(h_hi - h_lo, {10, 20, 50, 100});
  ForMultiples(h_lo, h_hi, h_step, [&](double h, long) {
    Curve line = EnthalpyLine(h, true, range, pressure_kpa);
    if (!line.points.empty())
      curves.push_back(std::move(line));
  });

  const std::vector<double> ts = SampleTemperatures(range);
  for (int phi = 10; phi <= 100; phi += 10) {
    Curve curve = RelHumidityCurve(phi, ts, range, pressure_kpa);
    if (curve.points.size() >= 2)
      curves.push_back(std::move(curve));
  }
  return curves;
}

}  // namespace tarvel::chart
