#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "panel/air_field.h"
#include "process/design_answer.h"

namespace tarvel::process {

// Completes a state the way the window does: the calculate command on an in-memory panel that
// holds the pressure text and exactly these parameter texts (every other field empty). Fills the
// answer's inputs, fields and messages, and marks it complete when the command completed the
// state without a message, and then gives its volume and density. Inputs given twice for one field
// keep the first.
void CalculateState(std::string_view pressure,
                    const std::vector<std::pair<AirField, std::string>>& inputs,
                    PointAnswer& answer);

}  // namespace tarvel::process
