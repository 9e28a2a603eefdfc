#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "climate/comfort_zones.h"

namespace tarvel::climate {

// Reads the user's zone from its text: limits separated by commas (or semicolons), each a name, an
// equals sign and a range — "A..B", "A.." (at least A) or "..B" (at most B), both ends included:
//   dry_bulb=20..26,rel_humidity=..60
// The names are those of tarvel-batch's columns: dry_bulb (干球温度, ℃), rel_humidity (相对湿度,
// %), dew_point (露点温度, ℃), moisture_content or moisture (含湿量, g/kg). Each number is a
// plain decimal. Throws ClimateError for any other text, a name given twice, a lower limit above
// its upper one, or no limit at all. The zone is named kUserZoneName.
Zone ParseZone(std::string_view text);

// The texts of the lower and the upper limit of one quantity, as a form gives them: a text that
// is empty or blank leaves that end open.
struct LimitTexts {
  std::string_view lower;
  std::string_view upper;
};

// The user's zone from the texts of its limits on the dry bulb (℃), the relative humidity (%), the
// dew point (℃) and the moisture content (g/kg), in that order, each a plain decimal, both ends
// included; nullopt when no limit is given. Throws ClimateError for a text that is no number or a
// lower limit above its upper one, naming the quantity. The zone is named kUserZoneName.
std::optional<Zone> ZoneFromLimits(const std::array<LimitTexts, 4>& limits);

// The zone's limits as the report writes them: "干球温度 20~26 ℃，相对湿度 ≤60 %", or for a
// PMV zone "−0.5 ≤ PMV ≤ 0.5".
std::string ZoneLimitsText(const Zone& zone);

}  // namespace tarvel::climate
