#include "physics/standard_atmosphere.h"

#include "physics/elementary/correctly_rounded.h"

namespace tarvel {

double PressureAtAltitude(double metres) {
  using namespace standard_atmosphere;
  const double base = 1 - kLapseOverSeaLevelTemperature * metres;
  const double power = elementary::Exp(kPressureExponent * elementary::Log(base));
  return kSeaLevelPressure * power;
}

}  // namespace tarvel
