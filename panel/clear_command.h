#pragma once

#include "panel/field_panel.h"

namespace tarvel {

// The clear command: empties Text(0) to Text(5) in ascending order and leaves the pressure.
void ClearParameters(FieldPanel& panel);

}  // namespace tarvel
