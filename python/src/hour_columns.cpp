#include "python/src/hour_columns.h"

#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "climate/calendar.h"
#include "panel/number_text.h"
#include "python/src/civil_time.h"
#include "python/src/text_array.h"

namespace tarvel::python {
namespace {

using climate::WeatherHour;

constexpr int kTextColumns = kFieldCount + 1;  // the pressure, the six fields, the message

// An hour's texts in the table's order: the pressure, the six fields, the message.
std::string_view HourText(const WeatherHour& hour, int column) {
  if (column == 0)
    return hour.pressure;
  if (column == kTextColumns - 1)
    return hour.message;
  const bool calculated =
      hour.status == climate::HourStatus::State || hour.status == climate::HourStatus::Message;
  return calculated ? std::string_view(hour.fields[column - 1]) : std::string_view();
}

py::object TextOrNone(const std::optional<std::string>& text) {
  if (!text)
    return py::none();
  // A station's name is the file's bytes, which need not be UTF-8.
  PyObject* str =
      PyUnicode_DecodeUTF8(text->data(), static_cast<Py_ssize_t>(text->size()), "replace");
  if (str == nullptr)
    throw py::error_already_set();
  return py::reinterpret_steal<py::object>(str);
}

py::dict StationDict(const climate::Station& station) {
  py::dict dict;
  dict["name"] = TextOrNone(station.name);
  dict["country"] = TextOrNone(station.country);
  dict["latitude"] = TextOrNone(station.latitude);
  dict["longitude"] = TextOrNone(station.longitude);
  dict["elevation"] = TextOrNone(station.elevation);
  return dict;
}

py::array_t<std::int64_t> Times(const std::vector<WeatherHour>& hours) {
  py::array_t<std::int64_t> times(static_cast<py::ssize_t>(hours.size()));
  std::int64_t* out = times.mutable_data();
  for (const WeatherHour& hour : hours) {
    if (!hour.timed) {
      *out++ = kNotATime;
      continue;
    }
    const std::optional<std::int64_t> ns = HourNanoseconds(hour.time);
    if (!ns) {
      throw py::value_error("line " + std::to_string(hour.line) + ": the time " +
                            climate::TimeText(hour.time) +
                            " is outside the times pandas can hold (1677 to 2262)");
    }
    *out++ = *ns;
  }
  return times;
}

}  // namespace

int FirstHourOfDay(const climate::WeatherRecord& record) {
  if (record.format == climate::WeatherFormat::Epw)
    return 1;
  for (const WeatherHour& hour : record.hours) {
    if (hour.timed && hour.time.hour == 24)
      return 1;
  }
  return 0;
}

py::dict HourColumns(const climate::WeatherRecord& record, int workers) {
  const std::vector<WeatherHour>& hours = record.hours;
  const auto count = static_cast<std::ptrdiff_t>(hours.size());
  py::dict columns;
  columns["times"] = Times(hours);
  columns["texts"] =
      MakeTextArray({count, kTextColumns}, count, workers,
                    [&](std::ptrdiff_t begin, std::ptrdiff_t end, int, const TextEmitter& emit) {
                      for (std::ptrdiff_t row = begin; row < end; ++row) {
                        for (int column = 0; column < kTextColumns; ++column)
                          emit(row, column, HourText(hours[static_cast<std::size_t>(row)], column));
                      }
                    });
  py::array_t<double> values({static_cast<py::ssize_t>(kFieldCount), count});
  double* out = values.mutable_data();
  {
    const py::gil_scoped_release unlocked;
    for (int column = 0; column < kFieldCount; ++column) {
      for (const WeatherHour& hour : hours) {
        const std::string_view text = HourText(hour, column);
        *out++ = text.empty() ? std::numeric_limits<double>::quiet_NaN() : ParseNumber(text);
      }
    }
  }
  columns["values"] = values;
  columns["station"] = StationDict(record.station);
  columns["notes"] = record.notes;
  columns["first_hour"] = FirstHourOfDay(record);
  return columns;
}

}  // namespace tarvel::python
