#pragma once

#include <optional>

#include "process/design_answer.h"
#include "process/design_context.h"
#include "process/point_processes.h"

namespace tarvel::process {

// The figures of a process that ran into the complete state at `to_point` (its index among the
// context's answers), from complete states only: its changes of enthalpy and moisture content,
// and with the flow (its own, or the design's `flow`) its heat flow G·Δh (kW) and moisture flow
// G·Δd (g/s); for a mix the flow of each stream, G·w/Σw. A figure with the flow that would not be
// finite is left out and the step says so. Nothing when a state it joins is not complete.
std::optional<StepAnswer> StepFigures(const PendingStep& step, std::size_t to_point,
                                      const DesignContext& context, std::optional<double> flow);

}  // namespace tarvel::process
