#include "process/design_run.h"

#include <optional>
#include <utility>
#include <vector>

#include "process/design_context.h"
#include "process/design_messages.h"
#include "process/design_steps.h"
#include "process/point_processes.h"

namespace tarvel::process {

DesignAnswer RunDesign(const Design& design) {
  DesignContext context(design);
  std::vector<std::optional<PendingStep>> steps;
  steps.reserve(design.points.size());
  for (const DesignPoint& point : design.points) {
    PointAnswer answer;
    answer.name = point.name.value_or("");
    // The first point of a name keeps it; later ones are answered, but found by no one.
    const bool named = point.name && context.NameIsFree(*point.name);
    std::optional<PendingStep> step;
    if (!point.problem.empty()) {
      Say(answer, point.problem);
    } else if (!named) {
      Say(answer,
          point.name ? messages::DuplicateName(*point.name) : std::string(messages::kNameNotText));
    } else {
      step = RunProcess(point.process, context, answer);
    }
    steps.push_back(std::move(step));
    context.Add(std::move(answer), named);
  }

  DesignAnswer result;
  result.pressure = design.pressure;
  result.flow = context.Flow();
  if (design.flow && context.SupplyState()) {
    result.messages.push_back(
        DesignMessage(messages::FlowNotUsed(kFlowKey, *context.SupplyState())));
  }
  for (std::size_t i = 0; i < steps.size(); ++i) {
    if (!steps[i])
      continue;
    std::optional<StepAnswer> figures = StepFigures(*steps[i], i, context, result.flow);
    if (figures)
      result.steps.push_back(std::move(*figures));
  }
  result.points = context.TakeAnswers();
  return result;
}

}  // namespace tarvel::process
