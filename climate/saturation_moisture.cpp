#include "climate/saturation_moisture.h"

#include "physics/checked_arithmetic.h"
#include "physics/moist_air.h"
#include "physics/saturation_pressure.h"

namespace tarvel::climate {
namespace {

constexpr double kLowest = -100;  // °C
constexpr double kHighest = 200;  // °C
constexpr double kTolerance = 1e-5;

double Limit(double d) {
  return d >= 0 ? d : kNoMoistureLimit;
}

}  // namespace

double MoistureAtRelHumidity(double t, double phi, double pressure_kpa) {
  try {
    return Limit(MoistureFromRelHumidity(phi, Pb(t), pressure_kpa));
  } catch (const NumericFault&) {
    return kNoMoistureLimit;
  }
}

double MoistureAtDewPoint(double dew_point, double pressure_kpa) {
  try {
    return Limit(MoistureFromPv(Pb(dew_point), pressure_kpa));
  } catch (const NumericFault&) {
    return kNoMoistureLimit;
  }
}

double DewPointOfMoisture(double d, double pressure_kpa) {
  double low = kLowest;
  double high = kHighest;
  while (high - low > kTolerance) {
    const double middle = (low + high) / 2;
    if (MoistureAtRelHumidity(middle, 100, pressure_kpa) < d)
      low = middle;
    else
      high = middle;
  }
  return high;
}

}  // namespace tarvel::climate
