#pragma once

#include <optional>

#include "physics/moist_air.h"
#include "physics/pascal.h"
#include "physics/psychrometer.h"
#include "physics/saturation_enclosure.h"
#include "physics/saturation_slope.h"
#include "physics/saturation_table.h"
#include "solver/certified_steps.h"
#include "solver/crossing_guess.h"
#include "solver/monotone_chain_span.h"
#include "solver/piecewise_span.h"
#include "solver/search_bounds.h"
#include "solver/search_residuals.h"

namespace tarvel {

// The spans of the dry-bulb searches whose residual is a monotone chain (monotone_chain_span.h):
// a guess of the crossing by Newton's method with Pb approximately, then the branches certified
// piece by piece on either side of the span of dry bulbs the tolerance accepts. Nothing where the
// residual is not monotone or the guess fails.

// Pair 8 over [tw, kHighestDryBulb]: R(m) = (φ/100)·P(m) − psw + k1·f·(m − tw), which at the wet
// bulb, where P is psw, starts the guess with a step of Halley's method.
inline std::optional<CertifiedSpan> PsychrometerDryBulbSpan(const PsychrometerDryBulbResidual& r) {
  if (!r.Monotone())
    return std::nullopt;
  const double a = r.phi / kPercent;
  const double line =
      Pascal(r.pressure_kpa) * PsychrometerCoefficient(r.tw) * (1 + kWetBulbFactor * r.tw);  // k1·f
  const auto approximate = [&](double m) {
    const ValueAndSlope p = ApproximateSaturation(m);
    return ValueAndSlope{a * p.value - r.psw + line * (m - r.tw), a * p.slope + line};
  };
  const SlopeAndCurvature at_tw = SaturationSlopes(r.tw, r.psw);
  const CrossingGuess guess =
      RefineCrossing(approximate, r.tw, (a - 1) * r.psw, a * at_tw.slope + line,
                     a * at_tw.curvature, r.tw, kHighestDryBulb);
  if (!(guess.slope > 0))
    return std::nullopt;
  static constexpr double kTops[3] = {0, 0, 0};  // every p is admitted
  const double width = kDryBulbTolerance.width;
  return PiecewiseSpan(
      kSaturationPieces, r.tw, kHighestDryBulb, guess.Below(width), guess.Above(width),
      MonotoneChainCertificates<PsychrometerDryBulbResidual>{r, kDryBulbTolerance, kTops});
}

// Pair 14 over [kLowestTemperature, kHighestDryBulb]: R(m) = (1.84·m + 2500)·dk(m) + 1.005·m − h,
// dk(m) = (φ·6.22)·P/(Bpa − (φ/100)·P)/1000, from 20 °C by Newton's method. The chain admits Pb
// up to each branch's bound within the bracket: its range, the fit's highest and Pb(100) (the
// polynomial rises).
inline std::optional<CertifiedSpan> RelHumidityDryBulbSpan(const RelHumidityDryBulbResidual& r) {
  if (!r.Monotone())
    return std::nullopt;
  const RelHumidityFactors& f = r.factors;
  const auto approximate = [&](double m) {
    const ValueAndSlope p = ApproximateSaturation(m);
    const double denominator = f.bpa - f.fraction * p.value;
    const double dk = f.numerator * p.value / denominator / kGramsPerKilogram;
    const double dk_slope =
        f.numerator * f.bpa * p.slope / (denominator * denominator) / kGramsPerKilogram;
    const double vapour = kVapourHeatCapacity * m + kVaporisationEnthalpy;
    return ValueAndSlope{vapour * dk + kDryAirHeatCapacity * m - r.h,
                         kVapourHeatCapacity * dk + vapour * dk_slope + kDryAirHeatCapacity};
  };
  constexpr double kStart = 20;
  const ValueAndSlope at_start = approximate(kStart);
  const CrossingGuess guess = RefineCrossing(approximate, kStart, at_start.value, at_start.slope, 0,
                                             kLowestTemperature, kHighestDryBulb);
  if (!(guess.slope > 0))
    return std::nullopt;
  // Pb(kHighestDryBulb)'s enclosure, formed once.
  static const double highest = EncloseSaturation(kHighestDryBulb).hi;
  const double tops[3] = {kIceSaturationRange.hi, kFitSaturationHighest, highest};
  const double width = kDryBulbTolerance.width;
  return PiecewiseSpan(
      kSaturationPieces, kLowestTemperature, kHighestDryBulb, guess.Below(width),
      guess.Above(width),
      MonotoneChainCertificates<RelHumidityDryBulbResidual>{r, kDryBulbTolerance, tops});
}

}  // namespace tarvel
