#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "process/design_answer.h"
#include "process/design_context.h"
#include "process/design_request.h"

namespace tarvel::process {

// A process that ran between states, for the design's figures once its flow is known.
struct PendingStep {
  ProcessKind kind = ProcessKind::Heat;
  std::string from;
  std::vector<std::pair<std::string, double>> streams;  // a mix's: each state and its weight
  std::optional<double> own_flow;  // heating by a heat flow at a flow of its own
};

// Computes one point of a design by its process: reads the earlier states it names through their
// field texts, writes what its formula gives with the calculator's writer (two decimals), has the
// calculate command complete the state from exactly two parameter texts, and adds the design's
// own messages (fog, not a cooling coil, ...). Returns the process step it makes, if any. A
// formula without a finite result leaves the point uncomputed with the numeric-fault message.
std::optional<PendingStep> RunProcess(const Process& process, DesignContext& context,
                                      PointAnswer& answer);

}  // namespace tarvel::process
