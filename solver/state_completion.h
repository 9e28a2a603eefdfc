#pragma once

#include "ui/field_panel.h"

namespace tarvel {

// Completes the state from the dry bulb in Text(0) and the relative humidity in Text(2): finds the
// wet bulb and the dew point by bisection and writes Text(1), Text(3), Text(4) and Text(5), in that
// order, each as soon as it is known. Never writes Text(0), Text(2) or the pressure. A search that
// does not meet its tolerance within 100000 steps shows "超出区域范围" and ends the routine.
void FromDryRh(FieldPanel& panel);

// Completes the state from the dry bulb in Text(0) and the wet bulb in Text(1): writes Text(2),
// Text(4), Text(5) and then the dew point Text(3), found by bisection. Never writes Text(0),
// Text(1) or the pressure. A dew point not found within 1000 steps shows "超出区域范围".
void FromDryWet(FieldPanel& panel);

}  // namespace tarvel
