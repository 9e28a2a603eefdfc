#pragma once

#include <optional>

#include "process/design_answer.h"
#include "process/design_context.h"
#include "process/design_request.h"
#include "process/point_processes.h"

namespace tarvel::process {

// Each process of a design, as RunProcess runs it (point_processes.h): the point's state from the
// earlier states it names, with the design's own messages; the step it makes, if any.
std::optional<PendingStep> RunState(const StateProcess& process, DesignContext& context,
                                    PointAnswer& answer);
std::optional<PendingStep> RunMix(const MixProcess& process, DesignContext& context,
                                  PointAnswer& answer);
std::optional<PendingStep> RunHeat(const HeatProcess& process, DesignContext& context,
                                   PointAnswer& answer);
std::optional<PendingStep> RunCoil(const CoilProcess& process, DesignContext& context,
                                   PointAnswer& answer);
std::optional<PendingStep> RunHumidify(const HumidifyProcess& process, DesignContext& context,
                                       PointAnswer& answer);
std::optional<PendingStep> RunSupply(const SupplyProcess& process, DesignContext& context,
                                     PointAnswer& answer);

}  // namespace tarvel::process
