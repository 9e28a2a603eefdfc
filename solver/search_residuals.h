#pragma once

#include "physics/checked_arithmetic.h"
#include "physics/moist_air.h"
#include "physics/psychrometer.h"
#include "solver/search_verdict.h"

namespace tarvel {

// The tolerances of the calculator's searches, in the unit of their residuals.
// The wet bulb of the dry-bulb/relative-humidity completion: |r| ≤ 0.01 Pa.
inline constexpr Tolerance kWetBulbTolerance{0.01, true};
// Its dew point: |r| < 0.00001 Pa.
inline constexpr Tolerance kFineDewPointTolerance{0.00001, false};
// The dew point of the dry/wet-bulb completion: |r| < 0.01 Pa.
inline constexpr Tolerance kDewPointTolerance{0.01, false};
// The dry bulb of the pairs without one: |r| < 0.01 Pa or kJ/kg.
inline constexpr Tolerance kDryBulbTolerance{0.01, false};

// The residuals of the searches whose residual is more than Pb(m) minus a target, as functions of
// the saturation pressure p = Pb(m) at the trial temperature m and of m itself. Each is one chain
// of the calculator's relations; given an enclosure of Pb(m) for p, it gives an enclosure of the
// double that the chain gives on Pb(m) (see EnclosedVerdict).

// The wet-bulb search for dry bulb t and target vapour pressure pw (Pa): the psychrometer reading
// at the trial wet bulb m, Pv1(Pb(m), t, m), against pw.
struct WetBulbResidual {
  double t;
  double pw;
  double pressure_kpa;

  template <typename Pressure>
  auto operator()(const Pressure& p, double m) const {
    using checked::Sub;
    return Sub(Pv1(p, t, m, pressure_kpa), pw);
  }
};

// Pair 8, wet bulb tw and relative humidity phi: the vapour pressure of phi at the trial dry bulb m
// against the psychrometer's at m and tw (psw = Pb(tw)).
struct PsychrometerDryBulbResidual {
  double phi;
  double psw;
  double tw;
  double pressure_kpa;

  template <typename Pressure>
  auto operator()(const Pressure& p, double m) const {
    using checked::Sub;
    const double e = Pv1(psw, m, tw, pressure_kpa);
    return Sub(PvFromRelHumidityB(phi, p), e);
  }
};

// Pair 14, relative humidity phi and enthalpy h: the enthalpy at the trial dry bulb m of air with
// relative humidity phi, its moisture content taken into the enthalpy in kg/kg as it is. The
// factors of phi and the pressure are formed once, when the search begins: the same doubles that
// every step would form. Should forming them fault, the first step would have faulted in the same
// place (its Pb, of 0.5 °C, cannot), and nothing is written in between.
struct RelHumidityDryBulbResidual {
  RelHumidityDryBulbResidual(double phi, double pressure_kpa, double h)
      : factors(RelHumidityFactorsOf(phi, pressure_kpa)), h(h) {}

  RelHumidityFactors factors;
  double h;

  template <typename Pressure>
  auto operator()(const Pressure& p, double m) const {
    using checked::Div;
    using checked::Sub;
    const auto dk = Div(MoistureFromRelHumidity(factors, p), 1000);
    return Sub(EnthalpyFromMoistureRatio(m, dk), h);
  }
};

}  // namespace tarvel
