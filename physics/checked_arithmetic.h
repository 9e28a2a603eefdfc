#pragma once

#include <cmath>
#include <stdexcept>

#include "physics/elementary/correctly_rounded.h"

namespace tarvel {

// Raised by an arithmetic operation whose result is not finite: a zero divisor, the logarithm of
// a non-positive number, an overflow. Underflow to zero is not a fault. The calculate command
// catches it once and ends there, so fields written before the fault keep their new text.
class NumericFault : public std::runtime_error {
 public:
  NumericFault() : std::runtime_error("numeric fault") {}
};

namespace checked {

[[noreturn]] void RaiseFault();

// Every operation of the property model goes through these, one IEEE double operation each,
// rounded before the next and checked for a finite result.
inline double Finite(double x) {
  if (!std::isfinite(x))
    RaiseFault();
  return x;
}
inline double Add(double a, double b) {
  return Finite(a + b);
}
inline double Sub(double a, double b) {
  return Finite(a - b);
}
inline double Mul(double a, double b) {
  return Finite(a * b);
}
inline double Div(double a, double b) {
  return Finite(a / b);
}

// The elementary functions, correctly rounded (physics/elementary): x^n for n from 2 to 5, e^x and
// ln x, each the double nearest to the exact value, so that every result is the same on every
// machine.
inline double Pow(double x, int n) {
  return Finite(elementary::IntegerPower(x, n));
}
inline double Exp(double x) {
  return Finite(elementary::Exp(x));
}
inline double Log(double x) {
  return Finite(elementary::Log(x));
}

}  // namespace checked
}  // namespace tarvel
