#pragma once

#include "process/design_answer.h"
#include "process/design_request.h"

namespace tarvel::process {

// Computes a design point by point in request order. Every state is completed by the calculate
// command from exactly two parameter texts at the design's pressure; a process reads earlier
// states only through their field texts. A point that cannot be computed (a problem in the
// request, a name used before, a state it needs that ended with a message) is answered with a
// message, and the rest of the design is still computed. Then the figures of every process that
// joins complete states, at the design's supply air flow. Never throws for any design.
DesignAnswer RunDesign(const Design& design);

}  // namespace tarvel::process
