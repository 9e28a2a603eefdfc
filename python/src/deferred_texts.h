#pragma once

#include <pybind11/numpy.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tarvel::python {

namespace py = pybind11;

// How a field's text follows from its value in a row where the command kept the text typed: the
// text typed for that very double (a float array's element, RoundTripText; "" for NaN), or the
// one text typed in every row (a scalar argument).
struct KeptTextSource {
  bool per_row = true;
  std::string text;  // the scalar's text, when not per_row
};

// The texts of a calculation on float arrays and scalars, made when they are first asked for.
// Every such text follows from the row's value: a field the command wrote holds FormatNumber of
// the value it reads as (FormatNumber writes again the text it reads back from), and a field that
// kept its text holds the text its source typed. So a call whose caller reads only the values
// makes no text, and its memory holds none.
class DeferredTexts {
 public:
  // `values` is (fields, *shape), float64; `kept` holds bit f of a row whose field f kept its text.
  DeferredTexts(py::array values, std::vector<std::uint8_t> kept,
                std::vector<KeptTextSource> sources, std::vector<py::ssize_t> text_shape,
                int threads);

  // The texts, an array of str (*shape, fields), as the calculation would have made them at once.
  py::array Make() const;

 private:
  py::array values_;
  std::vector<std::uint8_t> kept_;
  std::vector<KeptTextSource> sources_;
  std::vector<py::ssize_t> text_shape_;
  std::ptrdiff_t rows_;
  int threads_;
};

}  // namespace tarvel::python
