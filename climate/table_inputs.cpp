#include "climate/table_inputs.h"

#include <utility>

#include "climate/climate_error.h"
#include "climate/hour_inputs.h"

namespace tarvel::climate {

InputColumns InputColumnsOf(const tables::ColumnMap& columns, const ReadingOptions& options) {
  if (!columns.HasField(AirField::DryBulb))
    throw ClimateError("表头中没有干球温度列（干球温度 或 dry_bulb）");
  InputColumns inputs;
  inputs.pressure = columns.HasField(AirField::Pressure);
  for (const AirField field : kHumidityOrder) {
    if (columns.HasField(field))
      inputs.humidities.push_back(field);
  }
  if (inputs.humidities.empty()) {
    throw ClimateError(
        "表头中没有湿度的列：露点温度、相对湿度、湿球温度、含湿量、湿空气焓至少要有一列");
  }
  if (!inputs.pressure && options.fallback_pressure.empty()) {
    throw ClimateError(
        "表中没有当地大气压力列（当地大气压力 或 pressure），也没有给出大气压力或海拔");
  }
  return inputs;
}

void TakeRowInputs(const InputColumns& columns,
                   const std::array<std::string_view, kFieldCount>& cells,
                   const ReadingOptions& options, WeatherHour& hour) {
  const auto cell = [&](AirField field) { return cells[FieldIndex(field)]; };
  // A table without a pressure column reads as one whose every pressure cell is empty.
  const std::string_view pressure_text = columns.pressure ? cell(AirField::Pressure) : "";
  PressureInput pressure{{}, ValueProblem({AirField::Pressure, pressure_text, std::nullopt})};
  if (pressure.problem.empty())
    pressure.text = pressure_text;
  std::vector<GivenValue> humidities;
  for (const AirField field : columns.humidities)
    humidities.push_back({field, cell(field), std::nullopt});
  TakeInputs(PressureOrFallback(std::move(pressure), options.fallback_pressure),
             {AirField::DryBulb, cell(AirField::DryBulb), std::nullopt}, humidities, hour);
}

}  // namespace tarvel::climate
