#include "climate/hour_inputs.h"

#include "tables/joined_messages.h"

namespace tarvel::climate {

void TakeInputs(const PressureInput& pressure, const GivenValue& dry_bulb,
                std::span<const GivenValue> humidities, WeatherHour& hour) {
  std::string problems;
  const auto add = [&](const std::string& problem) {
    if (problem.empty())
      return;
    if (!problems.empty())
      problems.append(tables::kMessageJoint);
    problems.append(problem);
  };
  add(pressure.problem);
  add(ValueProblem(dry_bulb));
  const GivenValue* humidity = nullptr;
  std::string humidity_problems;
  for (const GivenValue& candidate : humidities) {
    const std::string problem = ValueProblem(candidate);
    if (problem.empty()) {
      humidity = &candidate;
      break;
    }
    if (!humidity_problems.empty())
      humidity_problems.append("，");
    humidity_problems.append(problem);
  }
  if (!humidity)
    add(humidities.empty() ? std::string("没有湿度的值") : humidity_problems);

  if (pressure.problem.empty())
    hour.pressure = pressure.text;
  if (!problems.empty()) {
    hour.status = HourStatus::Missing;
    hour.message = std::move(problems);
    return;
  }
  hour.status = HourStatus::Ready;
  hour.dry_bulb_input = dry_bulb.text;
  hour.humidity = humidity->field;
  hour.humidity_input = humidity->text;
}

PressureInput PressureOrFallback(PressureInput own, const std::string& fallback) {
  if (own.problem.empty() || fallback.empty())
    return own;
  return {fallback, {}};
}

}  // namespace tarvel::climate
