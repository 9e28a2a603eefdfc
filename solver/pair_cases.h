#pragma once

#include "ui/field_panel.h"

namespace tarvel {

// The cases of SolvePair for the pairs that fix a state but give no dry bulb and relative humidity
// (or no dry bulb and wet bulb) to complete it from. Each derives what state completion needs,
// writes it, and calls FromDryRh or FromDryWet, or shows "超出区域范围" and writes nothing.

// Dry bulb given: bring the second value to a moisture content, write the relative humidity.
void DryBulbWithDewPoint(FieldPanel& panel);  // code 5
void DryBulbWithMoisture(FieldPanel& panel);  // code 6
void DryBulbWithEnthalpy(FieldPanel& panel);  // code 7

// Wet bulb given: find the dry bulb and write it.
void WetBulbWithRelHumidity(FieldPanel& panel);  // code 8, by bisection
void WetBulbWithDewPoint(FieldPanel& panel);     // code 9, psychrometer equation solved for t
void WetBulbWithMoisture(FieldPanel& panel);     // code 10, likewise

// Relative humidity given: find the dry bulb by bisection and write it.
void RelHumidityWithDewPoint(FieldPanel& panel);  // code 12
void RelHumidityWithMoisture(FieldPanel& panel);  // code 13
void RelHumidityWithEnthalpy(FieldPanel& panel);  // code 14

// Enthalpy with a known moisture content: find the dry bulb, then write it and the relative
// humidity.
void DewPointWithEnthalpy(FieldPanel& panel);  // code 16
void MoistureWithEnthalpy(FieldPanel& panel);  // code 17

}  // namespace tarvel
