#pragma once

#include <pybind11/pybind11.h>

#include "climate/weather_record.h"

namespace tarvel::python {

namespace py = pybind11;

// How a record counts a day's hours: 1 when its days run from 1:00 to 24:00 (an EPW file, a CSV
// table that writes 24:00), 0 when from 0:00 to 23:00. The hour that a file writes as 24:00 is the
// last of its day, though the clock then reads 0:00 of the next.
int FirstHourOfDay(const climate::WeatherRecord& record);

// The hours of a calculated record as the columns of a table (read_weather), row for row:
//   "times": int64, each hour's moment as the file writes it in nanoseconds since 1970-01-01
//            00:00 (NumPy's datetime64[ns]), 24:00 being 0:00 of the next day; NaT (the least
//            int64) for a line whose time could not be read;
//   "texts": str (hours, 8): the pressure field's text, the six fields' texts the command left
//            (empty for an hour not calculated), and the hour's messages or why it takes no part,
//            each as the table of hours writes it;
//   "values": float64 (7, hours): the pressure and the six fields as the window reads their
//             texts, NaN for an empty one;
//   "station": the station's five texts by their JSON keys (None where unknown), "notes": the
//   record's notes, "first_hour": FirstHourOfDay.
// Works on `workers` threads. Raises ValueError for a time that NumPy's nanoseconds cannot hold
// (before 1677 or after 2262).
py::dict HourColumns(const climate::WeatherRecord& record, int workers);

}  // namespace tarvel::python
