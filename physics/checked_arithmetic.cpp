#include "physics/checked_arithmetic.h"

#include "physics/elementary/correctly_rounded.h"

namespace tarvel::checked {

void RaiseFault() {
  throw NumericFault();
}

double Pow(double x, int n) {
  return Finite(elementary::IntegerPower(x, n));
}
double Exp(double x) {
  return Finite(elementary::Exp(x));
}
double Log(double x) {
  return Finite(elementary::Log(x));
}

}  // namespace tarvel::checked
