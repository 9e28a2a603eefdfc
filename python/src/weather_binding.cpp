// Weather files and tables of hours: their hours as columns, and the climate answer of either.
#include <span>
#include <string>
#include <string_view>
#include <utility>

#include <pybind11/stl.h>

#include "climate/climate_error.h"
#include "climate/climate_json.h"
#include "climate/hour_calculation.h"
#include "climate/pressure_text.h"
#include "climate/weather_reading.h"
#include "climate/zone_text.h"
#include "python/src/bindings.h"
#include "python/src/frame_record.h"
#include "python/src/hour_columns.h"
#include "python/src/parallel_blocks.h"
#include "python/src/thread_count.h"

namespace tarvel::python {
namespace {

using climate::WeatherRecord;

// What `work` gives, a refusal of the core's (a file that is no weather file, a filter or a zone
// it cannot read) raised as ValueError with its words.
template <typename Work>
auto Refusing(Work work) {
  try {
    return work();
  } catch (const climate::ClimateError& e) {
    throw py::value_error(e.what());
  }
}

// Runs the calculate command for every hour that is ready, on the threads asked for; each hour
// is answered alike on any number.
void CalculateRecord(WeatherRecord& record, const py::object& threads) {
  const auto count = static_cast<std::ptrdiff_t>(record.hours.size());
  const std::span<climate::WeatherHour> hours(record.hours);
  ForEachBlock(count, WorkerCount(count, RequestedThreads(threads)),
               [&](std::ptrdiff_t begin, std::ptrdiff_t end, int) {
                 climate::CalculateHours(hours.subspan(static_cast<std::size_t>(begin),
                                                       static_cast<std::size_t>(end - begin)));
               });
}

climate::ReadingOptions Options(std::string pressure, std::string elevation) {
  return {std::move(pressure), std::move(elevation)};
}

WeatherRecord ReadFile(const py::bytes& data, const std::string& pressure,
                       const std::string& elevation, const py::object& threads) {
  RequestedThreads(threads);
  char* bytes = nullptr;
  Py_ssize_t size = 0;
  if (PyBytes_AsStringAndSize(data.ptr(), &bytes, &size) != 0)
    throw py::error_already_set();
  WeatherRecord record = Refusing([&] {
    const py::gil_scoped_release unlocked;
    return climate::ReadWeather(std::string_view(bytes, static_cast<std::size_t>(size)),
                                Options(pressure, elevation));
  });
  CalculateRecord(record, threads);
  return record;
}

climate::Station StationOf(const py::dict& station) {
  const auto text = [&](const char* key) -> std::optional<std::string> {
    if (!station.contains(key) || station[key].is_none())
      return std::nullopt;
    return py::cast<std::string>(station[key]);
  };
  return {text("name"), text("country"), text("latitude"), text("longitude"), text("elevation")};
}

WeatherRecord ReadFrame(FrameTable table, const py::dict& station, const std::string& pressure,
                        const std::string& elevation, const py::object& threads) {
  RequestedThreads(threads);
  WeatherRecord record = FrameRecord(table, Options(pressure, elevation));
  record.station = StationOf(station);
  CalculateRecord(record, threads);
  return record;
}

// The climate answer as tarvel-climate --json prints it, for the filters and the zone written
// as its options are (None for none) and the PMV settings (met, clo, air speed).
std::string ClimateAnswer(const WeatherRecord& record, const std::optional<std::string>& months,
                          const std::optional<std::string>& hours,
                          const std::optional<std::string>& zone,
                          const std::optional<std::array<double, 3>>& pmv) {
  climate::ClimateOptions options;
  Refusing([&] {
    if (months)
      options.filter.months = climate::ParseMonthRange(*months);
    if (hours)
      options.filter.hours = climate::ParseHourRange(*hours);
    if (zone)
      options.user_zone = climate::ParseZone(*zone);
    return 0;
  });
  if (pmv)
    options.pmv = {(*pmv)[0], (*pmv)[1], (*pmv)[2], std::nullopt};
  const py::gil_scoped_release unlocked;
  return climate::ClimateJson(record, options);
}

}  // namespace

void BindWeather(py::module_& m) {
  py::class_<WeatherRecord>(m, "WeatherRecord",
                            "The hours of a weather file or table, each calculated.")
      .def(
          "columns",
          [](const WeatherRecord& record, const py::object& threads) {
            const auto count = static_cast<std::ptrdiff_t>(record.hours.size());
            return HourColumns(record, WorkerCount(count, RequestedThreads(threads)));
          },
          py::arg("threads"), "The hours as columns: times, texts, values, station, notes.")
      .def("climate_answer", &ClimateAnswer, py::arg("months"), py::arg("hours"), py::arg("zone"),
           py::arg("pmv"), "The climate answer, tarvel-climate --json's text.");
  m.def("read_weather", &ReadFile, py::arg("data"), py::arg("pressure"), py::arg("elevation"),
        py::arg("threads"), "A weather file's bytes read, every hour calculated.");
  m.def(
      "frame_record",
      [](const py::array& times, const std::vector<py::object>& columns,
         const std::vector<std::string>& names, const py::object& messages, bool answered,
         int first_hour, const py::dict& station, const std::string& pressure,
         const std::string& elevation, const py::object& threads) {
        if (columns.size() != kFieldCount || names.size() != kFieldCount)
          throw py::value_error("seven columns and their names are needed");
        return ReadFrame({times, columns, names, messages, answered, first_hour}, station, pressure,
                         elevation, threads);
      },
      py::arg("times"), py::arg("columns"), py::arg("names"), py::arg("messages"),
      py::arg("answered"), py::arg("first_hour"), py::arg("station"), py::arg("pressure"),
      py::arg("elevation"), py::arg("threads"),
      "A table's hours, calculated where they are inputs.");
  m.def(
      "pressure_at_elevation",
      [](const std::string& metres) { return climate::PressureTextAtElevation(metres); },
      py::arg("metres"), "The pressure in kPa for a record without one, as a text; None for none.");
}

}  // namespace tarvel::python
