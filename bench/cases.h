#pragma once

// The calculate commands that tarvel-bench times and tarvel-pb-trace traces, in one table so that
// both programs see the same cases in the same order. `typical/` cases are ordinary states, one per
// solving pair code; `worst/` cases are searches that cannot meet their tolerance and end with the
// message "outside the range".

#include <array>
#include <string>
#include <string_view>

#include "panel/air_field.h"

namespace tarvel::bench {

enum class Ending {
  Completed,   // the state is completed without a message
  OutOfRange,  // a search fails and "outside the range" is the one message
};

struct CalculateCase {
  std::string_view name;
  // Text(0) to Text(5): dry bulb, wet bulb, relative humidity, dew point, moisture, enthalpy.
  std::array<std::string_view, kParameterCount> parameters;
  Ending ending;
};

inline constexpr std::string_view kPressure = "101.325";

inline constexpr CalculateCase kCases[] = {
    {"typical/pair03_dry_wet", {"25", "20", "", "", "", ""}, Ending::Completed},
    {"typical/pair04_dry_rh", {"20", "", "50", "", "", ""}, Ending::Completed},
    {"typical/pair05_dry_dew", {"20", "", "", "10", "", ""}, Ending::Completed},
    {"typical/pair06_dry_moisture", {"20", "", "", "", "7.26", ""}, Ending::Completed},
    {"typical/pair07_dry_enthalpy", {"20", "", "", "", "", "38.52"}, Ending::Completed},
    {"typical/pair08_wet_rh", {"", "20", "50", "", "", ""}, Ending::Completed},
    {"typical/pair09_wet_dew", {"", "20", "", "15", "", ""}, Ending::Completed},
    {"typical/pair10_wet_moisture", {"", "15", "", "", "8", ""}, Ending::Completed},
    {"typical/pair12_rh_dew", {"", "", "50", "10", "", ""}, Ending::Completed},
    {"typical/pair13_rh_moisture", {"", "", "50", "", "7.26", ""}, Ending::Completed},
    {"typical/pair14_rh_enthalpy", {"", "", "50", "", "", "38.52"}, Ending::Completed},
    {"typical/pair16_dew_enthalpy", {"", "", "", "10", "", "39.46"}, Ending::Completed},
    {"typical/pair17_moisture_enthalpy", {"", "", "", "", "10", "47"}, Ending::Completed},
    // A negative vapour pressure: no dew point above -99 °C matches it.
    {"worst/dry_rh_dew_point_search", {"20", "", "-10", "", "", ""}, Ending::OutOfRange},
    // Above saturation: no wet bulb below the dry bulb reaches the target.
    {"worst/dry_rh_wet_bulb_search", {"20", "", "135", "", "", ""}, Ending::OutOfRange},
    // Wet bulb above the dry bulb: the dew point would lie above the wet bulb.
    {"worst/dry_wet_dew_point_search", {"20", "22", "", "", "", ""}, Ending::OutOfRange},
    // Above saturation: the dry bulb would lie below the dew point, where the search never looks.
    {"worst/rh_dew_dry_bulb_search", {"", "", "101", "20", "", ""}, Ending::OutOfRange},
    // The searches below close on a bracket end of exactly 0 °C, where the doubles are densest:
    // their midpoints halve towards 0 through every binade down to the subnormal numbers.
    // Dry bulb 0 above saturation: the wet-bulb search over [-99, 0] moves its lower end up
    // through about 1080 halvings, each on the ice branch of Pb, before its bracket stops
    // narrowing.
    {"worst/dry0_rh_wet_bulb_search", {"0", "", "101", "", "", ""}, Ending::OutOfRange},
    // Wet bulb 0 above a dry bulb of -1: the dew point would lie above the wet bulb; the dew-point
    // search over [-99, 0] halves towards 0 on the ice branch until its bound of 1000.
    {"worst/dry_wet0_dew_point_search", {"-1", "0", "", "", "", ""}, Ending::OutOfRange},
    // Dew point 0 above saturation: the dry-bulb search over [0, 100] halves towards 0 on the water
    // branch until its bound of 1000.
    {"worst/rh_dew0_dry_bulb_search", {"", "", "101", "0", "", ""}, Ending::OutOfRange},
    // Wet bulb 0 above saturation: the same from the wet bulb, with the psychrometer in every step.
    {"worst/wet0_rh_dry_bulb_search", {"", "0", "101", "", "", ""}, Ending::OutOfRange},
};

// The six parameter texts as the in-memory panel takes them.
inline std::array<std::string, kParameterCount> ParameterTexts(const CalculateCase& c) {
  std::array<std::string, kParameterCount> texts;
  for (int i = 0; i < kParameterCount; ++i)
    texts[i] = c.parameters[i];
  return texts;
}

}  // namespace tarvel::bench
