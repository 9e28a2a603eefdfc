#pragma once

#include "physics/checked_arithmetic.h"

namespace tarvel {

// The constants of the saturation vapour pressure, each the double nearest to the decimal written.
// The searches' filters and their proofs use these names too, never the numbers.

// The branches by temperature (°C): the polynomial from kPolynomialFrom up, the exponential fit
// from kExponentialFitFrom up to below kPolynomialFrom, the ice formula below kExponentialFitFrom.
inline constexpr double kPolynomialFrom = 30;
inline constexpr double kExponentialFitFrom = 0;

// The polynomial over water: a0 + a1·t + a2·t² + a3·t³ + a4·t⁴ + a5·t⁵.
inline constexpr double kPolynomialA0 = 610.8;
inline constexpr double kPolynomialA1 = 44.442;
inline constexpr double kPolynomialA2 = 1.4133;
inline constexpr double kPolynomialA3 = 0.02768;
inline constexpr double kPolynomialA4 = 0.000255667;
inline constexpr double kPolynomialA5 = 2.89166e-6;

// The exponential fit over water (Magnus type): e^x with x = A·t/(B + t) + C.
inline constexpr double kFitA = 17.438;
inline constexpr double kFitB = 239.78;
inline constexpr double kFitC = 6.4147;

// The ice formula (Hyland–Wexler), in the kelvin temperature T = t + kKelvinOffset: e^s with
// s = C1/T + C2 + C3·T + C4·T² + C5·T³ + C6·T⁴ + C7·ln(T)/ln(kLiteralE).
inline constexpr double kKelvinOffset = 273.15;
inline constexpr double kIceC1 = -5674.5359;
inline constexpr double kIceC2 = 6.3925247;
inline constexpr double kIceC3 = -0.009677843;
inline constexpr double kIceC4 = 6.2215701e-7;
inline constexpr double kIceC5 = 2.0747825e-9;
inline constexpr double kIceC6 = -9.484024e-13;
inline constexpr double kIceC7 = 4.1635019;
// The ln T term is divided by the natural logarithm of this literal, not of e itself.
inline constexpr double kLiteralE = 2.718281828;

// The three branches of the saturation vapour pressure, written once over the elementary
// functions they use: `Elementary` provides Pow(x, n), Exp(x) and Log(x). The calculator
// instantiates it with the correctly rounded functions (saturation_pressure.cpp); the benchmarks
// also with the C library's, to time the two side by side; the search filters with functions that
// return enclosures of the correctly rounded results (saturation_enclosure.h), so that the rest of
// each branch is carried through as the same operations on enclosures (rounded_interval.h). So
// every intermediate takes its type from its operands: a double, or an enclosure of one.
template <typename Elementary>
struct SaturationFormula {
  // Over liquid water from kPolynomialFrom up: the polynomial in t, summed left to right with
  // each power from the general power function.
  static auto Polynomial(double t) {
    using checked::Add;
    using checked::Mul;
    const double s1 = Add(kPolynomialA0, Mul(kPolynomialA1, t));
    const auto s2 = Add(s1, Mul(kPolynomialA2, Elementary::Pow(t, 2)));
    const auto s3 = Add(s2, Mul(kPolynomialA3, Elementary::Pow(t, 3)));
    const auto s4 = Add(s3, Mul(kPolynomialA4, Elementary::Pow(t, 4)));
    return Add(s4, Mul(kPolynomialA5, Elementary::Pow(t, 5)));
  }

  // Over liquid water up to kPolynomialFrom: the exponential fit, e^x of this x.
  static double ExponentialFitExponent(double t) {
    using checked::Add;
    using checked::Div;
    using checked::Mul;
    const double q = Div(Mul(kFitA, t), Add(kFitB, t));
    return Add(q, kFitC);
  }
  static auto ExponentialFit(double t) { return Elementary::Exp(ExponentialFitExponent(t)); }

  // Over ice: the Hyland–Wexler formulation in kelvin, e^s of this s. The logarithm is taken
  // first, so a temperature at or below absolute zero faults before any other term is formed.
  // ln_e is ln(kLiteralE), by which the ln T term is divided.
  static auto HylandWexlerIceExponent(double t, double ln_e) {
    using checked::Add;
    using checked::Div;
    using checked::Mul;
    const double T = Add(t, kKelvinOffset);
    const auto ln_T = Elementary::Log(T);
    double s = Div(kIceC1, T);
    s = Add(s, kIceC2);
    s = Add(s, Mul(kIceC3, T));
    const auto s4 = Add(s, Mul(kIceC4, Elementary::Pow(T, 2)));
    const auto s5 = Add(s4, Mul(kIceC5, Elementary::Pow(T, 3)));
    const auto s6 = Add(s5, Mul(kIceC6, Elementary::Pow(T, 4)));
    return Add(s6, Div(Mul(kIceC7, ln_T), ln_e));
  }
  static auto HylandWexlerIce(double t, double ln_e) {
    return Elementary::Exp(HylandWexlerIceExponent(t, ln_e));
  }

  // Pb: the branch by temperature, in this order, so that kPolynomialFrom takes the polynomial and
  // kExponentialFitFrom the exponential fit.
  static auto Evaluate(double t, double ln_e) {
    if (t >= kPolynomialFrom)
      return Polynomial(t);
    if (t >= kExponentialFitFrom)
      return ExponentialFit(t);
    return HylandWexlerIce(t, ln_e);
  }
};

}  // namespace tarvel
