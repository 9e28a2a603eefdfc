#pragma once

#include <span>
#include <string>

#include "climate/missing_values.h"
#include "climate/weather_record.h"

namespace tarvel::climate {

// The pressure field's text for an hour, or why it has none.
struct PressureInput {
  std::string text;     // kPa
  std::string problem;  // empty when `text` is the pressure
};

// Gives the hour what the window is typed: the pressure, the dry bulb and beside it the first of
// `humidities` (in the order given) that is data. An hour without a pressure, a dry bulb or any
// humidity that is data is marked Missing, its message naming every value that is not.
void TakeInputs(const PressureInput& pressure, const GivenValue& dry_bulb,
                std::span<const GivenValue> humidities, WeatherHour& hour);

// The pressure for an hour whose own is `own` (its problem empty when it is data), falling back to
// `fallback` (a text given for the whole record, empty when none) when the hour has none.
PressureInput PressureOrFallback(PressureInput own, const std::string& fallback);

}  // namespace tarvel::climate
