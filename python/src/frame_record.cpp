#include "python/src/frame_record.h"

#include <array>
#include <optional>
#include <stdexcept>
#include <string_view>

#include "climate/climate_error.h"
#include "climate/format_reading.h"
#include "climate/record_notes.h"
#include "climate/table_inputs.h"
#include "panel/number_text.h"
#include "python/src/argument_column.h"
#include "python/src/civil_time.h"

namespace tarvel::python {
namespace {

using climate::HourStatus;
using climate::WeatherHour;

// A column's cells, typed as calculate types its arguments.
class TypedColumn {
 public:
  TypedColumn(const py::object& column, const std::string& name, py::ssize_t rows)
      : column_(column, name) {
    const std::optional<py::array>& array = column_.Array();
    if (!array || array->ndim() != 1 || array->shape(0) != rows)
      throw py::value_error(name + ": a column must hold one cell for each time");
    data_ = static_cast<const char*>(array->data());
    stride_ = array->strides(0);
  }

  std::string_view Text(py::ssize_t row) { return column_.Text(data_ + row * stride_, scratch_); }

 private:
  ArgumentColumn column_;
  const char* data_ = nullptr;
  py::ssize_t stride_ = 0;
  TextScratch scratch_;
};

// The row's texts by FieldIndex, and its message, as they are typed.
struct RowTexts {
  std::array<std::string_view, kFieldCount> fields;
  std::string_view message;
};

// A row of answers as the hour it holds.
void TakeAnswers(const RowTexts& row, WeatherHour& hour) {
  hour.pressure = row.fields[FieldIndex(AirField::Pressure)];
  for (int i = 0; i < kParameterCount; ++i)
    hour.fields[i] = row.fields[FieldIndex(ParameterField(i))];
  hour.message = row.message;
  bool complete = row.message.empty();
  for (const std::string_view text : row.fields)
    complete = complete && !text.empty();
  if (!complete) {
    hour.status = HourStatus::Message;
    return;
  }
  hour.status = HourStatus::State;
  for (int f = 0; f < kFieldCount; ++f)
    hour.values[f] = ParseNumber(row.fields[f]);
}

climate::InputColumns InputsOf(const std::vector<std::optional<TypedColumn>>& columns,
                               const climate::ReadingOptions& options) {
  tables::ColumnMap map;
  map.field_column.fill(-1);
  for (int f = 0; f < kFieldCount; ++f) {
    if (columns[f])
      map.field_column[f] = f;
  }
  return climate::InputColumnsOf(map, options);
}

}  // namespace

climate::WeatherRecord FrameRecord(const FrameTable& table,
                                   const climate::ReadingOptions& options) {
  const py::array_t<std::int64_t, py::array::c_style | py::array::forcecast> times(table.times);
  const py::ssize_t rows = times.size();
  std::vector<std::optional<TypedColumn>> columns(kFieldCount);
  for (int f = 0; f < kFieldCount; ++f) {
    if (!table.columns[f].is_none())
      columns[f].emplace(table.columns[f], table.names[f], rows);
  }
  std::optional<TypedColumn> messages;
  if (!table.messages.is_none())
    messages.emplace(table.messages, "message", rows);
  climate::InputColumns inputs;
  if (!table.answered) {
    try {
      inputs = InputsOf(columns, options);
    } catch (const climate::ClimateError& e) {
      throw py::value_error(e.what());
    }
  }

  climate::FormatReading reading;
  reading.record.format = climate::WeatherFormat::Csv;
  reading.first_hour = table.first_hour;
  std::vector<WeatherHour>& hours = reading.record.hours;
  hours.reserve(static_cast<std::size_t>(rows));
  const std::int64_t* moments = times.data();
  RowTexts row;
  for (py::ssize_t r = 0; r < rows; ++r) {
    WeatherHour hour;
    hour.line = r + 1;
    if (moments[r] == kNotATime) {
      hour.status = HourStatus::Unreadable;
      hours.push_back(std::move(hour));
      continue;
    }
    if (!HourAt(moments[r], table.first_hour, hour.time)) {
      ++reading.between_hours;
      continue;
    }
    hour.timed = true;
    try {
      for (int f = 0; f < kFieldCount; ++f)
        row.fields[f] = columns[f] ? columns[f]->Text(r) : std::string_view();
      row.message = messages ? messages->Text(r) : std::string_view();
    } catch (const std::invalid_argument& e) {
      throw py::value_error(e.what());
    }
    if (table.answered)
      TakeAnswers(row, hour);
    else
      climate::TakeRowInputs(inputs, row.fields, options, hour);
    hours.push_back(std::move(hour));
  }
  climate::CheckRecord(reading);
  return std::move(reading.record);
}

}  // namespace tarvel::python
