#pragma once

#include <optional>

#include "panel/field_panel.h"
#include "physics/saturation_pressure.h"
#include "solver/search_mode.h"

namespace tarvel {

// Inputs of state completion that the calling case has already read from fields that nothing has
// written since: the routine takes them instead of reading those fields again, as the same text
// reads as the same number. A field that the case has written is never passed: state completion
// reads it back, rounded to two decimals as written.
struct KnownInputs {
  // A temperature (°C) read from its field, with its saturation pressure Pb(value) (Pa) when the
  // case has formed it: the pressure cannot be handed on without the temperature it belongs to.
  struct Temperature {
    double value;
    std::optional<double> saturation = std::nullopt;
  };

  std::optional<Temperature> dry_bulb = std::nullopt;
  std::optional<Temperature> wet_bulb = std::nullopt;
  std::optional<double> rel_humidity = std::nullopt;
  std::optional<double> pressure = std::nullopt;  // kPa
};

// The known value, or the field read now.
inline double ReadKnown(const FieldPanel& panel, AirField field,
                        const std::optional<double>& known) {
  return known ? *known : ReadNumber(panel, field);
}
inline double ReadKnown(const FieldPanel& panel, AirField field,
                        const std::optional<KnownInputs::Temperature>& known) {
  return known ? known->value : ReadNumber(panel, field);
}

// The saturation pressure of the temperature t that `known` (if anything) holds: the one the case
// formed, or Pb(t) formed now.
inline double SaturationOf(const std::optional<KnownInputs::Temperature>& known, double t) {
  return known && known->saturation ? *known->saturation : Pb(t);
}

// Completes the state from the dry bulb in Text(0) and the relative humidity in Text(2): finds the
// wet bulb and the dew point by bisection and writes Text(1), Text(3), Text(4) and Text(5), in that
// order, each as soon as it is known. Never writes Text(0), Text(2) or the pressure. A search that
// does not meet its tolerance within 100000 steps shows "超出区域范围" and ends the routine.
// `mode` says how the searches reach their verdicts (the same either way).
void FromDryRh(FieldPanel& panel);
void FromDryRh(FieldPanel& panel, const KnownInputs& known, SearchMode mode = SearchMode::Filtered);

// Completes the state from the dry bulb in Text(0) and the wet bulb in Text(1): writes Text(2),
// Text(4), Text(5) and then the dew point Text(3), found by bisection. Never writes Text(0),
// Text(1) or the pressure. A dew point not found within 1000 steps shows "超出区域范围".
void FromDryWet(FieldPanel& panel);
void FromDryWet(FieldPanel& panel, const KnownInputs& known,
                SearchMode mode = SearchMode::Filtered);

}  // namespace tarvel
