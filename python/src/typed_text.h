#pragma once

#include <string>
#include <string_view>

#include <pybind11/pybind11.h>

namespace tarvel::python {

namespace py = pybind11;

// The text a scalar argument is typed into its field as:
//   None, a float NaN and pandas' NA: the empty text, an empty field;
//   str: its characters;
//   float (and NumPy's float16, float32, float64): RoundTripText, so that the field reads back as
//     exactly that double;
//   int (and NumPy's integers): its decimal digits, which the field reads as the nearest double.
// Raises TypeError for anything else (bool, bytes, complex, long double, ...) and ValueError for an
// infinity, naming the argument `name`. Where `number` is given, it receives the double of a
// float, which the text reads back as exactly, and NaN for anything else.
std::string TypedText(py::handle value, std::string_view name, double* number = nullptr);

// A str of UTF-8 field text, and the UTF-8 of a str; lone surrogates pass both ways.
py::str StrOf(std::string_view utf8);
std::string Utf8Of(py::handle str);

}  // namespace tarvel::python
