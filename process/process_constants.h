#pragma once

namespace tarvel::process {

// The numbers of the processes, each with one home. Those marked "the property model's" are the
// moist-air model's own constants, which its relations use as bare numbers; a process that
// evaluates one of those relations in closed form (the supply state, the path of a process line)
// must use the very same values.

// The property model's: d = 622·Pv/(Bpa − Pv) gives grams of vapour per kilogram of dry air.
inline constexpr double kMoistureFactor = 622;
// The property model's: grams per kilogram, between d in g/kg and d in kg/kg.
inline constexpr double kGramsPerKilogram = 1000;
// The property model's enthalpy h = (1.84·t + 2500)·d/1000 + 1.005·t, in kJ/kg dry air.
inline constexpr double kDryAirHeat = 1.005;       // kJ/(kg·K)
inline constexpr double kVapourHeat = 1.84;        // kJ/(kg·K)
inline constexpr double kVapourLatentHeat = 2500;  // kJ/kg at 0 °C

// The property model's: the relative humidity of saturated air, %. A mix above it is in the fog.
inline constexpr double kSaturatedRelHumidity = 100;

// The gas constant of dry air, J/(kg·K), for the specific volume of moist air.
inline constexpr double kDryAirGasConstant = 287;
// 0 °C in kelvin.
inline constexpr double kZeroCelsius = 273.15;
// Seconds per hour, for a volume flow in m³/h.
inline constexpr double kSecondsPerHour = 3600;

// The dry bulbs a supply state may have: from the coldest air the calculator's searches start at
// (−99 °C, their lower bracket end) to the hottest its enthalpy search reaches (100 °C).
inline constexpr double kLowestSupplyDryBulb = -99;
inline constexpr double kHighestSupplyDryBulb = 100;

// How many straight pieces a process line that is straight on the 焓湿图 but curved on the t–d
// chart is drawn with. The curve is slight: a spray from 25 ℃ and 10 g/kg to 14 g/kg leaves its
// chord by 0.018 ℃ at the middle, and four pieces follow it to about 0.001 ℃.
inline constexpr int kPathSegments = 4;
// How far the heat-moisture ratio line of a supply state is drawn: from the room through the
// supply state and as far again beyond it (in units of the room-to-supply distance).
inline constexpr double kRatioLineReach = 2;

}  // namespace tarvel::process
