#include "tables/design_table.h"

#include <array>
#include <nlohmann/json.hpp>
#include <optional>

#include "panel/form_layout.h"
#include "panel/number_text.h"
#include "panel/rounded_text.h"
#include "process/supply.h"
#include "tables/column_map.h"
#include "tables/csv_cell.h"
#include "tables/joined_messages.h"

namespace tarvel::tables {
namespace {

using process::DesignAnswer;
using process::PointAnswer;
using process::ProcessKind;
using process::StepAnswer;

constexpr HeaderLanguage kChinese = HeaderLanguage::Chinese;
// Between the two inputs, and between the streams of a mix.
constexpr std::string_view kListJoint = "，";

// A column: its name, as tarvel-batch names its columns where it has one (the window's captions,
// "当地大气压力", "提示"), and the unit of its numbers (empty for texts).
struct TableColumn {
  std::string_view name;
  std::string_view unit;
};

enum Column : std::size_t {
  kName,
  kParameters,  // the six, in field order
  kVolume = kParameters + kParameterCount,
  kPressure,
  kInputs,
  kProcess,
  kFrom,
  kRatio,
  kFlow,
  kHeat,
  kWater,
  kMessages,
  kColumnCount
};

const std::array<TableColumn, kColumnCount> kColumns = [] {
  std::array<TableColumn, kColumnCount> columns{};
  columns[kName] = {"名称", ""};
  for (int i = 0; i < kParameterCount; ++i) {
    const AirField field = ParameterField(i);
    columns[kParameters + i] = {FieldColumnName(field, kChinese), form::FieldUnit(field)};
  }
  columns[kVolume] = {"比容", "m³/kg"};
  columns[kPressure] = {FieldColumnName(AirField::Pressure, kChinese),
                        form::FieldUnit(AirField::Pressure)};
  columns[kInputs] = {"输入", ""};
  columns[kProcess] = {"过程", ""};
  columns[kFrom] = {"来自", ""};
  columns[kRatio] = {"热湿比", "kJ/kg"};
  columns[kFlow] = {process::kFlowFigure, "kg/s"};
  columns[kHeat] = {process::kHeatFigure, "kW"};
  columns[kWater] = {process::kWaterFigure, "g/s"};
  columns[kMessages] = {MessageColumnName(kChinese), ""};
  return columns;
}();

std::string Figure(const std::optional<double>& value) {
  return value ? FormatNumber(*value) : std::string();
}

std::string_view ProcessName(const StepAnswer& step) {
  if (step.kind == ProcessKind::Heat)
    return step.enthalpy_change < 0 ? process::kCoolingName : process::kHeatingName;
  return process::NamesOf(step.kind).name;
}

// "W（0.29），N（1.17）": each stream's state and, when the design's flow is known, its flow.
std::string Streams(const StepAnswer& mix) {
  std::string text;
  for (const process::StreamFlow& stream : mix.streams) {
    if (!text.empty())
      text.append(kListJoint);
    text.append(stream.from);
    if (stream.flow)
      text.append("（").append(FormatNumber(*stream.flow)).append("）");
  }
  return text;
}

void FillStep(const StepAnswer& step, TableRow& row) {
  row[kProcess] = ProcessName(step);
  row[kFrom] = step.kind == ProcessKind::Mix ? Streams(step) : step.from;
  row[kFlow] = Figure(step.flow);
  if (step.kind != ProcessKind::Mix) {
    row[kHeat] = Figure(step.heat);
    row[kWater] = Figure(step.moisture);
  }
  // What the step says of its figures follows what its point says.
  std::string said;
  JoinMessages(step.messages, said);
  if (!said.empty())
    row[kMessages].append(row[kMessages].empty() ? "" : kMessageJoint).append(said);
}

TableRow PointRow(const PointAnswer& point, std::string_view pressure) {
  TableRow row(kColumnCount);
  row[kName] = point.name;
  for (int i = 0; i < kParameterCount; ++i)
    row[kParameters + i] = point.fields[i];
  if (point.volume)
    row[kVolume] = FormatRounded(*point.volume, 3);
  row[kPressure] = pressure;
  for (const auto& [field, text] : point.inputs) {
    if (!row[kInputs].empty())
      row[kInputs].append(kListJoint);
    row[kInputs].append(FieldColumnName(field, kChinese)).append(" ").append(text);
  }
  if (point.supply) {
    row[kProcess] = process::NamesOf(process::ProcessKind::Supply).name;
    row[kRatio] = process::RatioText(point.supply->ratio);
    row[kFlow] = Figure(point.supply->flow);
  }
  JoinMessages(point.messages, row[kMessages]);
  return row;
}

}  // namespace

std::vector<TableRow> DesignTableRows(const DesignAnswer& answer) {
  std::vector<TableRow> rows;
  rows.reserve(answer.points.size());
  for (const PointAnswer& point : answer.points)
    rows.push_back(PointRow(point, answer.pressure));
  for (const StepAnswer& step : answer.steps)
    FillStep(step, rows[step.to_point]);
  return rows;
}

std::string DesignCsv(const std::vector<TableRow>& rows) {
  std::string csv;
  const auto line = [&csv](const auto& cells) {
    for (std::size_t i = 0; i < cells.size(); ++i) {
      if (i > 0)
        csv.push_back(',');
      AppendCell(csv, cells[i], ',');
    }
    csv.push_back('\n');
  };
  std::vector<std::string> header;
  for (const TableColumn& column : kColumns) {
    const bool named_by_batch = RoleOfName(column.name).has_value();
    header.push_back(named_by_batch || column.unit.empty()
                         ? std::string(column.name)
                         : std::string(column.name) + "（" + std::string(column.unit) + "）");
  }
  line(header);
  for (const TableRow& row : rows)
    line(row);
  return csv;
}

std::string DesignTableJson(const std::vector<TableRow>& rows) {
  using Json = nlohmann::ordered_json;
  Json columns = Json::array();
  for (const TableColumn& column : kColumns)
    columns.push_back({{"name", column.name}, {"unit", column.unit}});
  const Json table = {{"columns", std::move(columns)}, {"rows", rows}};
  // A name may hold any bytes; one that is not part of valid UTF-8 becomes U+FFFD.
  return table.dump(-1, ' ', false, Json::error_handler_t::replace);
}

}  // namespace tarvel::tables
