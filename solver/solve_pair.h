#pragma once

#include "panel/field_panel.h"
#include "solver/pair_code.h"
#include "solver/search_mode.h"

namespace tarvel {

// Runs the one case of the pair `code`: derives a dry bulb and/or relative humidity (or, for the
// pairs 3 and 4, nothing) and hands over to state completion, or shows one message. Codes outside
// 3 to 17 do nothing. `mode` says how the searches reach their verdicts (the same either way).
void SolvePair(FieldPanel& panel, PairCode code, SearchMode mode = SearchMode::Filtered);

}  // namespace tarvel
