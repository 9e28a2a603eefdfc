#include "python/src/argument_column.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <stdexcept>

#include "panel/decimal_digits.h"
#include "panel/number_text.h"
#include "python/src/typed_text.h"
#include "python/src/unicode_text.h"

namespace tarvel::python {
namespace {

template <typename T>
T Load(const char* at) {
  T value;
  std::memcpy(&value, at, sizeof value);  // NumPy's arrays need not be aligned
  return value;
}

}  // namespace

ArgumentColumn::ArgumentColumn(py::handle argument, std::string_view name) : name_(name) {
  if (!py::isinstance<py::array>(argument)) {
    same_ = TypedText(argument, name, &same_number_);
    return;
  }
  py::array array = py::reinterpret_borrow<py::array>(argument);
  const py::dtype dtype = array.dtype();
  if (dtype.byteorder() == '>')
    throw py::value_error(name_ + ": not in native byte order");
  if (dtype.kind() == 'O') {
    // Each element is typed once, with the GIL; a row finds its text by the element's place in
    // memory, which a C-contiguous array keeps in order.
    array = py::array::ensure(array, py::array::c_style);
    if (!array)
      throw py::error_already_set();
    const auto* items = static_cast<PyObject* const*>(array.data());
    object_texts_.reserve(static_cast<std::size_t>(array.size()));
    for (py::ssize_t i = 0; i < array.size(); ++i)
      object_texts_.push_back(TypedText(items[i], name));
    objects_ = static_cast<const char*>(array.data());
    kind_ = Kind::Objects;
  } else if (dtype.kind() == 'f' && dtype.itemsize() == 8) {
    kind_ = Kind::Float;
  } else if (dtype.kind() == 'i' && dtype.itemsize() == 8) {
    kind_ = Kind::Signed;
  } else if (dtype.kind() == 'u' && dtype.itemsize() == 8) {
    kind_ = Kind::Unsigned;
  } else if (dtype.kind() == 'U') {
    kind_ = Kind::Str;
    width_ = static_cast<std::size_t>(dtype.itemsize()) / 4;
  } else {
    throw py::type_error(name_ + ": an array of " +
                         std::string(py::str(static_cast<const py::handle&>(dtype))) +
                         " cannot be typed into a field");
  }
  array_ = std::move(array);
}

std::string_view ArgumentColumn::Text(const char* element, TextScratch& scratch,
                                      double& value) const {
  static_assert(sizeof scratch.number >= kRoundTripTextCapacity);
  char* number = scratch.number;
  value = std::numeric_limits<double>::quiet_NaN();
  switch (kind_) {
    case Kind::Same:
      value = same_number_;
      return same_;
    case Kind::Objects:
      return object_texts_[static_cast<std::size_t>(element - objects_) / sizeof(PyObject*)];
    case Kind::Float: {
      const double x = Load<double>(element);
      value = x;
      if (std::isnan(x))
        return {};
      if (std::isinf(x)) {
        throw std::invalid_argument(name_ + ": " + (x > 0 ? "inf" : "-inf") +
                                    " is no number a field can hold; give finite numbers, or nan "
                                    "for an empty field");
      }
      return {number, RoundTripText(x, number)};
    }
    case Kind::Signed: {
      const auto v = Load<std::int64_t>(element);
      char* p = number;
      if (v < 0)
        *p++ = '-';
      const std::uint64_t magnitude = v < 0 ? 0 - static_cast<std::uint64_t>(v) : v;
      return {number, static_cast<std::size_t>(WriteUnsigned(p, magnitude) - number)};
    }
    case Kind::Unsigned:
      return {number, static_cast<std::size_t>(WriteUnsigned(number, Load<std::uint64_t>(element)) -
                                               number)};
    case Kind::Str: {
      // NumPy pads a str element with NULs up to the width, and drops them when it reads one.
      std::uint32_t code_points[64];
      std::size_t length = width_;
      while (length > 0 && Load<std::uint32_t>(element + 4 * (length - 1)) == 0)
        --length;
      scratch.text.clear();
      try {
        for (std::size_t done = 0; done < length;) {
          const std::size_t part = std::min<std::size_t>(length - done, 64);
          std::memcpy(code_points, element + 4 * done, 4 * part);
          AppendUtf8(code_points, part, scratch.text);
          done += part;
        }
      } catch (const std::invalid_argument& e) {
        throw std::invalid_argument(name_ + ": " + e.what());
      }
      return scratch.text;
    }
  }
  return {};
}

}  // namespace tarvel::python
