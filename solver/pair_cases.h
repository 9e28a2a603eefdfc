#pragma once

#include "panel/field_panel.h"
#include "solver/search_mode.h"

namespace tarvel {

// The cases of SolvePair for the pairs that fix a state but give no dry bulb and relative humidity
// (or no dry bulb and wet bulb) to complete it from. Each derives what state completion needs,
// writes it, and calls FromDryRh or FromDryWet, or shows "超出区域范围" and writes nothing. `mode`
// says how every search reaches its verdicts (the same either way).

// Dry bulb given: bring the second value to a moisture content, write the relative humidity.
void DryBulbWithDewPoint(FieldPanel& panel, SearchMode mode);  // code 5
void DryBulbWithMoisture(FieldPanel& panel, SearchMode mode);  // code 6
void DryBulbWithEnthalpy(FieldPanel& panel, SearchMode mode);  // code 7

// Wet bulb given: find the dry bulb and write it.
void WetBulbWithRelHumidity(FieldPanel& panel, SearchMode mode);  // code 8, by bisection
void WetBulbWithDewPoint(FieldPanel& panel,
                         SearchMode mode);  // code 9, psychrometer equation solved for t
void WetBulbWithMoisture(FieldPanel& panel, SearchMode mode);  // code 10, likewise

// Relative humidity given: find the dry bulb by bisection and write it.
void RelHumidityWithDewPoint(FieldPanel& panel, SearchMode mode);  // code 12
void RelHumidityWithMoisture(FieldPanel& panel, SearchMode mode);  // code 13
void RelHumidityWithEnthalpy(FieldPanel& panel, SearchMode mode);  // code 14

// Enthalpy with a known moisture content: find the dry bulb, then write it and the relative
// humidity.
void DewPointWithEnthalpy(FieldPanel& panel, SearchMode mode);  // code 16
void MoistureWithEnthalpy(FieldPanel& panel, SearchMode mode);  // code 17

}  // namespace tarvel
