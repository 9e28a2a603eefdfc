#pragma once

#include <optional>

namespace tarvel::climate {

// What a person brings to the thermal comfort of a room besides its air: activity, clothing and
// the air speed around them. GB 50736 §3.0.4 rates comfort by the PMV of GB/T 18049-2017, the same
// model as ISO 7730:2005.
struct PmvSettings {
  double met = 1.2;        // metabolic rate, met (1 met = 58.15 W/m²): seated office work
  double clo = 0.5;        // clothing insulation, clo (1 clo = 0.155 m²·K/W): summer clothing
  double air_speed = 0.1;  // relative air speed, m/s
  // The mean radiant temperature, °C; nullopt to take it equal to the air's dry bulb, as the
  // comfort zones of a weather file do (the room's surfaces at the air's temperature).
  std::optional<double> radiant;
  bool operator==(const PmvSettings&) const = default;
};

// The predicted mean vote (−3 cold to +3 hot) and the predicted percentage of dissatisfied (%).
struct Pmv {
  double pmv;
  double ppd;
};

// The metabolic rate of 1 met and the insulation of 1 clo.
inline constexpr double kWattsPerSquareMetrePerMet = 58.15;
inline constexpr double kSquareMetreKelvinPerWattPerClo = 0.155;

// PMV and PPD of air at `dry_bulb` (°C) and `rel_humidity` (%), by ISO 7730:2005 Annex D step for
// step: the vapour pressure from the standard's own saturation formula,
// pa = RH·10·exp(16.6536 − 4030.183/(ta + 235)) Pa, and the clothing's surface temperature by its
// iteration to 0.00015 (of t/100 K), at most 150 steps. exp is the core's correctly rounded one,
// x^4 the square of the square and x^0.25 the square root taken twice, so the result is the same
// bits on every machine. No external work. Nullopt when the iteration does not settle or the
// settings are not finite, a rate, insulation or speed negative, or the rate zero.
std::optional<Pmv> PmvFromRelHumidity(double dry_bulb, double rel_humidity,
                                      const PmvSettings& settings);

// The same from the vapour pressure of the air in Pa, for states given by their moisture content.
std::optional<Pmv> PmvFromVapourPressure(double dry_bulb, double vapour_pa,
                                         const PmvSettings& settings);

}  // namespace tarvel::climate
