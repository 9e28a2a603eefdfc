// A state given by its parameters, as typed into the window.
#include <string>
#include <utility>
#include <vector>

#include "process/process_runs.h"
#include "process/state_calculation.h"

namespace tarvel::process {

std::optional<PendingStep> RunState(const StateProcess& process, DesignContext& context,
                                    PointAnswer& answer) {
  // As the window does: the first two parameters given, in field order.
  std::vector<std::pair<AirField, std::string>> inputs;
  for (const ParameterValue& value : process.parameters) {
    if (inputs.size() == 2)
      break;
    const std::optional<std::string> text = context.TextOf(value, answer);
    if (!text)
      return std::nullopt;
    if (!text->empty())
      inputs.emplace_back(value.field, *text);
  }
  CalculateState(context.Pressure(), inputs, answer);
  return std::nullopt;
}

}  // namespace tarvel::process
