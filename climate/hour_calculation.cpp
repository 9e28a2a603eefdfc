#include "climate/hour_calculation.h"

#include "panel/memory_panel.h"
#include "panel/number_text.h"
#include "solver/calculate_command.h"
#include "tables/joined_messages.h"

namespace tarvel::climate {

void CalculateHours(std::span<WeatherHour> hours) {
  MemoryPanel panel{MemoryPanel::Recording::Messages};
  for (WeatherHour& hour : hours) {
    if (hour.status != HourStatus::Ready)
      continue;
    for (int i = 0; i < kParameterCount; ++i)
      panel.SetText(ParameterField(i), {});
    panel.SetText(AirField::Pressure, hour.pressure);
    panel.SetText(AirField::DryBulb, hour.dry_bulb_input);
    panel.SetText(hour.humidity, hour.humidity_input);
    panel.ClearRecord();
    const CalculateOutcome outcome = RunCalculate(panel);
    tables::JoinMessages(panel.Messages(), hour.message);
    for (int i = 0; i < kParameterCount; ++i)
      hour.fields[i] = panel.Text(ParameterField(i));
    if (outcome != CalculateOutcome::Completed || !hour.message.empty()) {
      hour.status = HourStatus::Message;
      continue;
    }
    hour.status = HourStatus::State;
    for (int i = 0; i < kFieldCount; ++i)
      hour.values[i] = ParseNumber(panel.Text(static_cast<AirField>(i)));
  }
}

}  // namespace tarvel::climate
