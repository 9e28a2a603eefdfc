#pragma once

#include <cmath>

#include "physics/checked_arithmetic.h"
#include "physics/moist_air.h"
#include "physics/psychrometer.h"
#include "physics/saturation_enclosure.h"
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

  // Where the chain does not fall as p or m rises (monotone_chain_span.h (1)), and its values stay
  // moderate: (φ/100)·p rises with p for φ ≥ 0; Pv1's term k1·(m − tw)·f rises with m for a
  // pressure ≥ 0 (k1 ≥ 0) and f = 1 + k·tw > 0, and Pv1 falls with it. Every p is admitted.
  bool Monotone() const {
    return phi >= 0 && phi <= 0x1p20 && pressure_kpa >= 0 && pressure_kpa <= 0x1p20 && tw >= -500 &&
           tw <= kEnclosureHighest && std::fabs(psw) <= 0x1p40;
  }
  static bool Admits(double) { return true; }
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

  // Where the chain does not fall as p or m rises (monotone_chain_span.h (1)), for every p up to
  // one it admits, and its values stay moderate: for φ ≥ 0 the moisture content's numerator
  // (φ·622/100)·p rises with p and its denominator Bpa − (φ/100)·p falls; while the denominator
  // stays at 1 Pa or more (at the admitted p, and so below it) the quotient rises, is at least 0
  // and moderate; the enthalpy's (1.84·m + 2500), positive for m > −1358, rises with m and
  // multiplies a moisture content at least 0, and 1.005·m rises with m.
  bool Monotone() const {
    return factors.numerator >= 0 && factors.fraction >= 0 && factors.fraction <= 0x1p20 &&
           factors.bpa <= 0x1p30 && std::fabs(h) <= 0x1p30;
  }
  bool Admits(double p) const { return factors.bpa - factors.fraction * p >= 1; }
};

}  // namespace tarvel
