#include "climate/outdoor_states.h"

#include <utility>
#include <vector>

#include "process/state_calculation.h"

namespace tarvel::climate {
namespace {

constexpr std::string_view kOutdoorPointName = "W";

std::optional<OutdoorState> Completed(const std::optional<std::string>& pressure,
                                      const std::optional<std::string>& dry_bulb, AirField second,
                                      const std::optional<std::string>& second_text) {
  if (!pressure || !dry_bulb || !second_text)
    return std::nullopt;
  process::PointAnswer point;
  process::CalculateState(*pressure, {{AirField::DryBulb, *dry_bulb}, {second, *second_text}},
                          point);
  point.name = std::string(kOutdoorPointName);
  return OutdoorState{*pressure, std::move(point)};
}

}  // namespace

OutdoorStates OutdoorStatesOf(const DesignConditions& conditions) {
  return {Completed(conditions.Figure("summer_pressure"), conditions.Figure("summer_dry_bulb"),
                    AirField::WetBulb, conditions.Figure("summer_wet_bulb")),
          Completed(conditions.Figure("winter_pressure"), conditions.Figure("winter_dry_bulb"),
                    AirField::RelHumidity, conditions.Figure("winter_rel_humidity"))};
}

}  // namespace tarvel::climate
