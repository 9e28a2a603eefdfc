#pragma once

#include <string>
#include <vector>

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include "climate/weather_reading.h"
#include "climate/weather_record.h"

namespace tarvel::python {

namespace py = pybind11;

// A table of hours as a front end holds it: a time for each row, its cells by field, its messages.
struct FrameTable {
  py::array times;  // int64 nanoseconds since 1970 of each row's moment (kNotATime for none)
  // By FieldIndex, the pressure last: the field's column (an array calculate could be given,
  // typed cell by cell as calculate types it) or None where the table has none; each column's
  // name for the messages about its cells.
  std::vector<py::object> columns;
  std::vector<std::string> names;
  py::object messages;  // the message column, or None
  // Whether the rows are the window's answers (the six fields and the messages, as a table of
  // hours holds them) rather than what it is typed.
  bool answered = false;
  int first_hour = 0;  // as FirstHourOfDay
};

// The record of a table's rows, as a weather file's reading gives it (its hours not yet
// calculated), each row an hour:
// - a row without a time cannot be read, and one not on the hour is skipped as a file's line
//   between hours is;
// - a row of answers is an hour with the state its cells hold when none of the seven is empty
//   and it has no message, its values the cells as the window reads them; any other takes no
//   part;
// - a row of inputs is typed as a CSV table's row is (TakeRowInputs), with the options' pressure
//   where it has none.
// The record is then checked as a file's is (CheckRecord). Raises TypeError or ValueError for a
// cell no field can hold, naming its column, and ValueError with the core's words for a table of
// inputs without a dry bulb, a humidity or any pressure.
climate::WeatherRecord FrameRecord(const FrameTable& table, const climate::ReadingOptions& options);

}  // namespace tarvel::python
