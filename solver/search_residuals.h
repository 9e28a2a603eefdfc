#pragma once

#include "physics/checked_arithmetic.h"
#include "physics/moist_air.h"
#include "physics/psychrometer.h"
#include "solver/flat_saturation.h"

namespace tarvel {

// The residuals of the searches whose residual is more than Pb(m) minus a target, as functions of
// the saturation pressure p = Pb(m) at the trial temperature m and of m itself. Each is one chain
// of the calculator's relations; given an enclosure of Pb(m) for p, it gives an enclosure of the
// double that the chain gives on Pb(m) (see EnclosedVerdict). A chain whose dependence on m
// beyond p is a monotone chain of rounded operations, wherever `MonotoneBeyondPbOn(a, b)` holds,
// lets its search stop where Pb is flat (VerdictIsFlatOn).

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
  // m is Pv1's wet bulb: in its depression t − m and in its two factors.
  static bool MonotoneBeyondPbOn(double a, double b) { return PsychrometerFactorsAreFixedOn(a, b); }
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
  // m is Pv1's dry bulb, in its depression m − tw alone.
  static bool MonotoneBeyondPbOn(double, double) { return true; }
};

// Pair 14, relative humidity phi and enthalpy h: the enthalpy at the trial dry bulb m of air with
// relative humidity phi, its moisture content taken into the enthalpy in kg/kg as it is. The
// factors of phi and the pressure are formed once, when the search begins: the same doubles that
// every step would form. Should forming them fault, the first step would have faulted in the same
// place (its Pb, of 0.5 °C, cannot), and nothing is written in between. m stands in the enthalpy
// twice, in terms that move apart for a negative moisture content: no flat rule.
struct RelHumidityDryBulbResidual {
  RelHumidityDryBulbResidual(double phi, double pressure_kpa, double h)
      : factors(RelHumidityFactorsOf(phi, pressure_kpa)), h(h) {}

  RelHumidityFactors factors;
  double h;

  template <typename Pressure>
  auto operator()(const Pressure& p, double m) const {
    using checked::Div;
    using checked::Sub;
    const auto dk = Div(MoistureFromRelHumidity(factors, p), kGramsPerKilogram);
    return Sub(EnthalpyFromMoistureRatio(m, dk), h);
  }
};

}  // namespace tarvel
