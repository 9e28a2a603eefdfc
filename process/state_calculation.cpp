#include "process/state_calculation.h"

#include <array>
#include <string>
#include <vector>

#include "panel/memory_panel.h"
#include "panel/number_text.h"
#include "physics/checked_arithmetic.h"
#include "physics/moist_air.h"
#include "solver/calculate_command.h"

namespace tarvel::process {

void CalculateState(std::string_view pressure,
                    const std::vector<std::pair<AirField, std::string>>& inputs,
                    PointAnswer& answer) {
  std::array<std::string, kParameterCount> parameters;
  std::array<bool, kParameterCount> given{};
  answer.inputs.clear();
  for (const auto& [field, text] : inputs) {
    const int index = FieldIndex(field);
    if (given[index])
      continue;
    given[index] = true;
    parameters[index] = text;
  }
  for (int i = 0; i < kParameterCount; ++i) {
    if (given[i])
      answer.inputs.emplace_back(ParameterField(i), parameters[i]);
  }

  MemoryPanel panel(parameters, std::string(pressure), MemoryPanel::Recording::Messages);
  const CalculateOutcome outcome = RunCalculate(panel);
  for (int i = 0; i < kParameterCount; ++i)
    answer.fields[i] = panel.Text(ParameterField(i));
  answer.messages = panel.Messages();
  answer.complete = outcome == CalculateOutcome::Completed;
  answer.volume.reset();
  answer.density.reset();
  if (!answer.complete)
    return;
  // The volume of the state as its fields give it, at the pressure as the calculator reads it.
  try {
    const double d = ParseNumber(answer.fields[FieldIndex(AirField::MoistureContent)]);
    const double v = SpecificVolume(ParseNumber(answer.fields[FieldIndex(AirField::DryBulb)]), d,
                                    ParseNumber(pressure));
    answer.density = DensityFromVolume(d, v);
    answer.volume = v;
  } catch (const NumericFault&) {
    // No volume for a state at a pressure that gives none (zero, or beyond a double's range).
  }
}

}  // namespace tarvel::process
