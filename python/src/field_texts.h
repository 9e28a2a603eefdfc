#pragma once

#include <pybind11/numpy.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "python/src/text_array.h"

namespace tarvel::python {

namespace py = pybind11;

// The text the command wrote into a field that now reads as `value`: FormatNumber writes again
// the text it reads back from; "" for an empty field (NaN). `number` has room for
// kNumberTextCapacity characters.
std::string_view WrittenText(double value, char* number);

// Every text of a calculation is made one way: field f's text in a row is the text typed where
// the field kept it (bit f of `kept`), else WrittenText of its value, values[f * stride].
// `typed(f)` gives the text typed into field f in that row.
template <typename Typed>
void EmitRowTexts(std::ptrdiff_t row, int fields, std::uint8_t kept, const double* values,
                  std::ptrdiff_t stride, const Typed& typed, char* number,
                  const TextEmitter& emit) {
  for (int f = 0; f < fields; ++f)
    emit(row, f, (kept >> f) & 1 ? typed(f) : WrittenText(values[f * stride], number));
}

// How the text typed into a field follows from the row's value, when it does: the RoundTripText
// of a float array's element, which the field reads as exactly ("" for NaN), or a scalar's one
// text, typed in every row.
struct KeptTextSource {
  bool per_row = true;
  std::string text;  // the scalar's text, when not per_row
};

// The texts of a calculation whose every typed text follows from its values, made when they are
// first asked for. So a call whose caller reads only the values makes no text, and its memory
// holds none.
class DeferredTexts {
 public:
  // `values` is (fields, *shape), float64; `kept` holds bit f of a row whose field f kept its text.
  DeferredTexts(py::array values, std::vector<std::uint8_t> kept,
                std::vector<KeptTextSource> sources, std::vector<py::ssize_t> text_shape,
                int workers);

  // The texts, an array of str (*shape, fields), as the calculation would have made them at once.
  py::array Make() const;

 private:
  py::array values_;
  std::vector<std::uint8_t> kept_;
  std::vector<KeptTextSource> sources_;
  std::vector<py::ssize_t> text_shape_;
  std::ptrdiff_t rows_;
  int workers_;
};

}  // namespace tarvel::python
