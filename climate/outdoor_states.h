#pragma once

#include <optional>
#include <string>

#include "climate/design_conditions.h"
#include "process/design_answer.h"

namespace tarvel::climate {

// The outdoor state W of a design, completed by the calculate command from the texts of the
// design conditions as a design point is: in summer the summer dry bulb with the summer wet bulb,
// in winter the winter dry bulb with the winter relative humidity, each at its season's pressure.
struct OutdoorState {
  std::string pressure;        // the pressure field's text, kPa
  process::PointAnswer point;  // named "W"
};

struct OutdoorStates {
  std::optional<OutdoorState> summer;  // nullopt when a condition it needs is not known
  std::optional<OutdoorState> winter;
};

OutdoorStates OutdoorStatesOf(const DesignConditions& conditions);

}  // namespace tarvel::climate
