#pragma once

#include "solver/pair_code.h"
#include "ui/field_panel.h"

namespace tarvel {

// Runs the one case of the pair `code`: derives a dry bulb and/or relative humidity (or, for the
// pairs 3 and 4, nothing) and hands over to state completion, or shows one message. Codes outside
// 3 to 17 do nothing.
void SolvePair(FieldPanel& panel, PairCode code);

}  // namespace tarvel
