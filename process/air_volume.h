#pragma once

namespace tarvel::process {

// The specific volume of moist air, m³ per kg of dry air, at dry bulb t (°C), moisture content d
// (g/kg) and pressure in kPa, by the ideal gas law:
//   v = ((287 × (t + 273.15)) × (1 + d/622)) / Bpa
// with Bpa the pressure in Pa as the property model forms it (pressure_kpa × 1000), evaluated in
// exactly this order. Raises a numeric fault for a result that is not finite.
double SpecificVolume(double t, double d, double pressure_kpa);

// The density of the moist air, kg/m³: (1 + d/1000) / v.
double Density(double d, double v);

}  // namespace tarvel::process
