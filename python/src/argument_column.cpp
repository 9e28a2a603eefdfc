#include "python/src/argument_column.h"

#include <algorithm>
#include <cmath>
#include <cstring>
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

ArgumentColumn::ArgumentColumn(py::handle argument, std::string_view name, std::size_t dimensions)
    : strides_(dimensions, 0), name_(name) {
  py::handle elements = argument;
  if (py::isinstance<py::tuple>(argument)) {  // an object array and its indexes
    const py::tuple pair = py::reinterpret_borrow<py::tuple>(argument);
    const py::array objects = pair[0].cast<py::array>();
    if (objects.dtype().kind() != 'O' || objects.ndim() != 1 ||
        !(objects.flags() & py::array::c_style))
      throw py::type_error(std::string(name) + ": not a flat object array");
    const auto* items = static_cast<PyObject* const*>(objects.data());
    texts_.reserve(static_cast<std::size_t>(objects.size()));
    for (py::ssize_t i = 0; i < objects.size(); ++i)
      texts_.push_back(items[i] != nullptr ? TypedText(items[i], name) : std::string());
    elements = pair[1];
    kind_ = Kind::Texts;
  }
  if (!py::isinstance<py::array>(elements)) {
    text_ = TypedText(argument, name);
    return;
  }
  const py::array array = py::reinterpret_borrow<py::array>(elements);
  const py::dtype dtype = array.dtype();
  if (static_cast<std::size_t>(array.ndim()) != dimensions || dtype.byteorder() == '>')
    throw py::value_error(std::string(name) + ": not broadcast to the call's shape");
  if (kind_ == Kind::Texts) {
    if (dtype.kind() != 'i' || dtype.itemsize() != 8)
      throw py::type_error(std::string(name) + ": the object array's indexes are not int64");
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
    throw py::type_error(std::string(name) + ": an array of " +
                         std::string(py::str(static_cast<const py::handle&>(dtype))) +
                         " cannot be typed into a field");
  }
  keep_ = array;
  base_ = static_cast<const char*>(array.data());
  for (std::size_t d = 0; d < dimensions; ++d)
    strides_[d] = array.strides(static_cast<py::ssize_t>(d));
}

std::string_view ArgumentColumn::Text(std::ptrdiff_t offset, TextScratch& scratch) const {
  static_assert(sizeof scratch.number >= kRoundTripTextCapacity);
  const char* at = base_ + offset;
  char* number = scratch.number;
  switch (kind_) {
    case Kind::Text:
      return text_;
    case Kind::Texts:
      return texts_[static_cast<std::size_t>(Load<std::int64_t>(at))];
    case Kind::Float: {
      const double x = Load<double>(at);
      if (std::isnan(x))
        return {};
      if (std::isinf(x))  // the Python side refuses infinities before the work starts
        throw std::invalid_argument(name_ + ": an infinity");
      return {number, RoundTripText(x, number)};
    }
    case Kind::Signed: {
      const auto v = Load<std::int64_t>(at);
      char* p = number;
      if (v < 0)
        *p++ = '-';
      const std::uint64_t magnitude = v < 0 ? 0 - static_cast<std::uint64_t>(v) : v;
      return {number, static_cast<std::size_t>(WriteUnsigned(p, magnitude) - number)};
    }
    case Kind::Unsigned:
      return {number,
              static_cast<std::size_t>(WriteUnsigned(number, Load<std::uint64_t>(at)) - number)};
    case Kind::Str: {
      // NumPy pads a str element with NULs up to the width, and drops them when it reads one.
      std::uint32_t code_points[64];
      std::size_t length = width_;
      while (length > 0 && Load<std::uint32_t>(at + 4 * (length - 1)) == 0)
        --length;
      scratch.text.clear();
      try {
        for (std::size_t done = 0; done < length;) {
          const std::size_t part = std::min<std::size_t>(length - done, 64);
          std::memcpy(code_points, at + 4 * done, 4 * part);
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
