#include "python/src/typed_text.h"

#include <cmath>
#include <cstring>
#include <limits>

#include "panel/number_text.h"

namespace tarvel::python {
namespace {

// NumPy's scalar types that a value is checked against, looked up once. They live as long as the
// interpreter, so the references are kept, never released at exit.
struct NumpyTypes {
  py::handle floating, integer, boolean, longdouble;
};

const NumpyTypes& Numpy() {
  static const NumpyTypes types = [] {
    const py::module_ numpy = py::module_::import("numpy");
    const auto type = [&](const char* name) { return py::object(numpy.attr(name)).release(); };
    return NumpyTypes{type("floating"), type("integer"), type("bool_"), type("longdouble")};
  }();
  return types;
}

bool IsInstance(py::handle value, py::handle type) {
  const int result = PyObject_IsInstance(value.ptr(), type.ptr());
  if (result < 0)
    throw py::error_already_set();
  return result == 1;
}

// pandas' missing value, recognised by its type's name so that pandas need not be imported.
bool IsPandasMissing(py::handle value) {
  if (std::strcmp(Py_TYPE(value.ptr())->tp_name, "NAType") != 0)
    return false;
  return std::string(py::str(py::type::handle_of(value).attr("__module__"))) ==
         "pandas._libs.missing";
}

std::string TypeName(py::handle value) {
  return py::str(py::type::handle_of(value).attr("__name__"));
}

std::string DoubleText(double x, py::handle value, std::string_view name) {
  if (std::isnan(x))
    return {};
  if (std::isinf(x)) {
    throw py::value_error(std::string(name) + ": " + std::string(py::repr(value)) +
                          " is no number a field can hold; give a finite number, or None or nan "
                          "for an empty field");
  }
  char text[kRoundTripTextCapacity];
  return std::string(text, RoundTripText(x, text));
}

}  // namespace

std::string TypedText(py::handle value, std::string_view name, double* number) {
  double ignored;
  double& typed = number != nullptr ? *number : ignored;
  typed = std::numeric_limits<double>::quiet_NaN();
  if (value.is_none() || IsPandasMissing(value))
    return {};
  if (PyUnicode_Check(value.ptr()))
    return Utf8Of(value);
  const NumpyTypes& numpy = Numpy();
  if (PyBool_Check(value.ptr()) || IsInstance(value, numpy.boolean)) {
    throw py::type_error(std::string(name) + " must be a str, a number or None, not a bool");
  }
  if (PyFloat_Check(value.ptr())) {
    typed = PyFloat_AS_DOUBLE(value.ptr());
    return DoubleText(typed, value, name);
  }
  if (IsInstance(value, numpy.floating) && !IsInstance(value, numpy.longdouble)) {
    const double x = PyFloat_AsDouble(value.ptr());  // float16 and float32 convert exactly
    if (x == -1 && PyErr_Occurred())
      throw py::error_already_set();
    typed = x;
    return DoubleText(x, value, name);
  }
  if (PyLong_Check(value.ptr()) || IsInstance(value, numpy.integer)) {
    PyObject* integer = PyNumber_Index(value.ptr());
    if (integer == nullptr)
      throw py::error_already_set();
    return py::str(py::reinterpret_steal<py::object>(integer));
  }
  throw py::type_error(std::string(name) + " must be a str, a number or None, not " +
                       TypeName(value));
}

py::str StrOf(std::string_view utf8) {
  PyObject* str =
      PyUnicode_DecodeUTF8(utf8.data(), static_cast<Py_ssize_t>(utf8.size()), "surrogatepass");
  if (str == nullptr)
    throw py::error_already_set();
  return py::reinterpret_steal<py::str>(str);
}

std::string Utf8Of(py::handle str) {
  const py::object bytes = py::reinterpret_steal<py::object>(
      PyUnicode_AsEncodedString(str.ptr(), "utf-8", "surrogatepass"));
  if (!bytes)
    throw py::error_already_set();
  return std::string(PyBytes_AS_STRING(bytes.ptr()),
                     static_cast<std::size_t>(PyBytes_GET_SIZE(bytes.ptr())));
}

}  // namespace tarvel::python
