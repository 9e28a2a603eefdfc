#pragma once

#include "panel/field_panel.h"
#include "solver/pair_code.h"
#include "solver/search_mode.h"

namespace tarvel {

// How one calculate command ended.
enum class CalculateOutcome {
  Completed,     // state completion ran to its end
  Message,       // the command ended with one of its own messages (input check, pair, range)
  NumericFault,  // an operation had no finite result; reported as "数值运算错误"
};

// The pair the calculate command solves for the panel's texts: the code of its first two given
// parameter fields, a field being given when its text is not empty (blanks or letters count as
// given, and read 0); 0 when fewer than two are.
PairCode GivenPair(const FieldPanel& panel);

// The calculate command: checks that the pressure and at least two parameters are given, forms
// the code of the first two given fields and solves that pair, writing results into the panel.
// A numeric fault ends the command where it occurs: fields already written keep their new text,
// nothing further is written, and the fault is reported through the panel. `mode` says how the
// searches reach their verdicts; the answers are the same either way.
CalculateOutcome RunCalculate(FieldPanel& panel, SearchMode mode = SearchMode::Filtered);

}  // namespace tarvel
