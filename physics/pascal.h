#pragma once

#include "physics/checked_arithmetic.h"

namespace tarvel {

// The pressure field holds kPa; the psychrometer equation and the moist-air relations work in Pa.
inline constexpr double kPascalPerKilopascal = 1000;

// The pressure in Pa, as every formula forms it: its own rounded product pressure_kpa × 1000.
inline double Pascal(double pressure_kpa) {
  return checked::Mul(pressure_kpa, kPascalPerKilopascal);
}

}  // namespace tarvel
