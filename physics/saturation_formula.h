#pragma once

#include "physics/checked_arithmetic.h"

namespace tarvel {

// The three branches of the saturation vapour pressure, written once over the elementary
// functions they use: `Elementary` provides Pow(x, n), Exp(x) and Log(x). The calculator
// instantiates it with the correctly rounded functions (saturation_pressure.cpp); the benchmarks
// also with the C library's, to time the two side by side; the search filters with functions that
// return enclosures of the correctly rounded results (saturation_enclosure.h), so that the rest of
// each branch is carried through as the same operations on enclosures (rounded_interval.h). So
// every intermediate takes its type from its operands: a double, or an enclosure of one.
template <typename Elementary>
struct SaturationFormula {
  // Over liquid water from 30 °C up: a fifth-degree polynomial in t, summed left to right with
  // each power from the general power function.
  static auto PolynomialAbove30(double t) {
    using checked::Add;
    using checked::Mul;
    const double s1 = Add(610.8, Mul(44.442, t));
    const auto s2 = Add(s1, Mul(1.4133, Elementary::Pow(t, 2)));
    const auto s3 = Add(s2, Mul(0.02768, Elementary::Pow(t, 3)));
    const auto s4 = Add(s3, Mul(0.000255667, Elementary::Pow(t, 4)));
    return Add(s4, Mul(2.89166e-6, Elementary::Pow(t, 5)));
  }

  // Over liquid water from 0 °C to 30 °C: a Magnus-type exponential fit, e^x of this x.
  static double ExponentialFitExponent(double t) {
    using checked::Add;
    using checked::Div;
    using checked::Mul;
    const double q = Div(Mul(17.438, t), Add(239.78, t));
    return Add(q, 6.4147);
  }
  static auto ExponentialFit(double t) { return Elementary::Exp(ExponentialFitExponent(t)); }

  // Over ice below 0 °C: the Hyland–Wexler formulation in kelvin, e^s of this s. The logarithm is
  // taken first, so a temperature at or below absolute zero faults before any other term is
  // formed. ln_e is ln of the literal 2.718281828 (not of e itself), by which the ln T term is
  // divided.
  static auto HylandWexlerIceExponent(double t, double ln_e) {
    using checked::Add;
    using checked::Div;
    using checked::Mul;
    const double T = Add(t, 273.15);
    const auto ln_T = Elementary::Log(T);
    double s = Div(-5674.5359, T);
    s = Add(s, 6.3925247);
    s = Add(s, Mul(-0.009677843, T));
    const auto s4 = Add(s, Mul(6.2215701e-7, Elementary::Pow(T, 2)));
    const auto s5 = Add(s4, Mul(2.0747825e-9, Elementary::Pow(T, 3)));
    const auto s6 = Add(s5, Mul(-9.484024e-13, Elementary::Pow(T, 4)));
    return Add(s6, Div(Mul(4.1635019, ln_T), ln_e));
  }
  static auto HylandWexlerIce(double t, double ln_e) {
    return Elementary::Exp(HylandWexlerIceExponent(t, ln_e));
  }

  // Pb: the branch by temperature, in this order, so that 30 °C takes the polynomial and 0 °C
  // the exponential fit.
  static auto Evaluate(double t, double ln_e) {
    if (t >= 30)
      return PolynomialAbove30(t);
    if (t >= 0)
      return ExponentialFit(t);
    return HylandWexlerIce(t, ln_e);
  }
};

}  // namespace tarvel
