#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

namespace tarvel::python {

namespace py = pybind11;

// Where a column makes the text of an element: one per thread and column.
struct TextScratch {
  char number[24];  // a number's text: RoundTripText's or an integer's digits
  std::string text;
};

// One argument of a calculation: the text typed into its field in each row. Made while holding
// the GIL; read by many threads without it.
class ArgumentColumn {
 public:
  // `argument` is what the Python side made of the argument: None or a scalar (typed as TypedText
  // types it, the same text in every row), or an array: float64, int64, uint64 or str in native
  // byte order, or of objects, each element typed by its own type. Raises TypeError or ValueError
  // for what no field can be given, naming the argument `name`.
  ArgumentColumn(py::handle argument, std::string_view name);

  // The array whose elements are typed, for NumPy's iterator to walk; none for a scalar.
  const std::optional<py::array>& Array() const { return array_; }

  // The text of an element of the array (unused for a scalar), in `scratch` or in the column.
  // Valid until the next call with the same scratch. Throws std::invalid_argument, naming the
  // argument, for an element no field can hold (an infinity, a code point above U+10FFFF).
  std::string_view Text(const char* element, TextScratch& scratch) const {
    double number;
    return Text(element, scratch, number);
  }
  // The same, and in `number` the double the text reads back as exactly where the element, or the
  // scalar, is a float (its text is RoundTripText's); NaN for any other text.
  std::string_view Text(const char* element, TextScratch& scratch, double& number) const;

  // Whether the column is a float array, whose element's text is RoundTripText of its double.
  bool HoldsFloats() const { return kind_ == Kind::Float; }
  // The one text of a scalar argument, typed in every row; null for an array.
  const std::string* SameText() const { return kind_ == Kind::Same ? &same_ : nullptr; }

 private:
  enum class Kind { Same, Float, Signed, Unsigned, Str, Objects };

  Kind kind_ = Kind::Same;
  std::optional<py::array> array_;
  std::size_t width_ = 0;                  // Str: code points per element
  std::string same_;                       // Same
  double same_number_;                     // Same: the float typed, else NaN
  const char* objects_ = nullptr;          // Objects: the array's first element
  std::vector<std::string> object_texts_;  // Objects: each element's text, in memory order
  std::string name_;
};

}  // namespace tarvel::python
