#include "physics/checked_arithmetic.h"

#include <math.h>

namespace tarvel::checked {

void RaiseFault() {
  throw NumericFault();
}

// This file is compiled with -fno-builtin-pow/-exp/-log, so these are real calls into the C
// library whatever the optimisation level.
double Pow(double x, double n) {
  return Finite(::pow(x, n));
}
double Exp(double x) {
  return Finite(::exp(x));
}
double Log(double x) {
  return Finite(::log(x));
}

}  // namespace tarvel::checked
