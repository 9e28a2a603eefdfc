#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
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

// One argument of an array calculation: the text of its field in every row of the broadcast shape.
// Made while holding the GIL; read by many threads without it.
class ArgumentColumn {
 public:
  // `argument` is what the Python side made of the argument:
  //   None or a scalar (typed as TypedText types it), the same text in every row;
  //   a float64, int64, uint64 or str array in native byte order, broadcast to the call's shape;
  //   a pair (flat object array, int64 array of its indexes broadcast to the call's shape).
  // Raises TypeError or ValueError for what no field can be given.
  ArgumentColumn(py::handle argument, std::string_view name, std::size_t dimensions);

  // The element array's strides in bytes, one per dimension of the shape.
  const std::vector<std::ptrdiff_t>& Strides() const { return strides_; }

  // The text of the element `offset` bytes from the base, in `scratch` or in the column. Valid
  // until the next call with the same scratch.
  std::string_view Text(std::ptrdiff_t offset, TextScratch& scratch) const;

  // Whether the column is a float array, whose element's text is RoundTripText of its double.
  bool HoldsFloats() const { return kind_ == Kind::Float; }
  // The one text of a scalar argument, typed in every row; null for an array.
  const std::string* SameText() const { return kind_ == Kind::Text ? &text_ : nullptr; }

  // The double of a float element, which its text reads back as exactly; false for other columns.
  bool Number(std::ptrdiff_t offset, double& x) const {
    if (kind_ != Kind::Float)
      return false;
    std::memcpy(&x, base_ + offset, sizeof x);
    return true;
  }

 private:
  enum class Kind { Text, Float, Signed, Unsigned, Str, Texts };

  Kind kind_ = Kind::Text;
  py::object keep_;  // the array the base points into
  const char* base_ = nullptr;
  std::vector<std::ptrdiff_t> strides_;
  std::size_t width_ = 0;           // Str: code points per element
  std::string text_;                // Text
  std::vector<std::string> texts_;  // Texts: one per element of the object array
  std::string name_;
};

}  // namespace tarvel::python
