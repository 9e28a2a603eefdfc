// calculate on one row and on arrays, and the helpers that show how a value is typed and read.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include "panel/number_text.h"
#include "physics/standard_atmosphere.h"
#include "python/src/array_calculation.h"
#include "python/src/bindings.h"
#include "python/src/field_texts.h"
#include "python/src/thread_count.h"
#include "python/src/typed_text.h"

namespace tarvel::python {
namespace {

// One row of seven scalar arguments: (values, texts, message or None, input pair code). `threads`
// is checked as an array call checks it, though one row needs no more than one.
py::tuple CalculateRow(const std::vector<py::object>& arguments,
                       const std::vector<std::string>& names, const py::object& threads) {
  RequestedThreads(threads);
  TypedArguments typed(arguments, names, std::nullopt);
  typed.Rows().MakeCursors(1);
  std::array<TextScratch, kFieldCount> scratch;
  TypedRow row;
  typed.Type(typed.Rows().CursorOf(0), scratch, row);
  RowAnswer answer;
  std::array<double, kParameterCount> values;
  const std::uint8_t kept = answer.Calculate(row, kParameterCount, values.data(), 1);

  py::tuple field_values(kParameterCount), texts(kParameterCount);
  char number[kNumberTextCapacity];
  EmitRowTexts(
      0, kParameterCount, kept, values.data(), 1, [&](int f) { return row.texts[f]; }, number,
      [&](std::ptrdiff_t, int f, std::string_view text) {
        field_values[f] = values[f];
        texts[f] = StrOf(text);
      });
  const py::object message =
      answer.Message().empty() ? py::object(py::none()) : py::object(StrOf(answer.Message()));
  return py::make_tuple(field_values, texts, message, answer.Inputs());
}

py::tuple CalculateArrayRows(const std::vector<py::object>& arguments,
                             const std::vector<std::string>& names, int fields,
                             const std::optional<std::string>& pressure_fallback,
                             const py::object& threads, bool texts) {
  if (fields != kParameterCount && fields != kFieldCount)
    throw py::value_error("fields must be 6 or 7");
  const int requested = RequestedThreads(threads);
  TypedArguments typed(arguments, names, pressure_fallback);
  ArrayAnswer answer = CalculateArrays(typed, fields, requested, texts);
  // The values belong to the answer, and its texts may yet be made from them: read-only.
  answer.values.attr("setflags")(py::arg("write") = false);
  py::object made = py::none();
  if (answer.deferred)
    made = py::cast(std::move(*answer.deferred));
  else if (texts)
    made = std::move(answer.texts);
  return py::make_tuple(answer.values, made, answer.messages, answer.inputs);
}

py::array PressureAtAltitudes(
    const py::array_t<double, py::array::c_style | py::array::forcecast>& metres) {
  py::array_t<double> pressure(
      std::vector<py::ssize_t>(metres.shape(), metres.shape() + metres.ndim()));
  const double* in = metres.data();
  double* out = pressure.mutable_data();
  const py::gil_scoped_release unlocked;
  for (py::ssize_t i = 0; i < metres.size(); ++i)
    out[i] = PressureAtAltitude(in[i]);
  return pressure;
}

}  // namespace

void BindCalculation(py::module_& m) {
  m.def("calculate_row", &CalculateRow, py::arg("arguments"), py::arg("names"), py::arg("threads"),
        "One calculation on seven scalar arguments: (values, texts, message, input pair code).");
  py::class_<DeferredTexts>(m, "DeferredTexts",
                            "The texts of an array calculation, made when first asked for.")
      .def("make", &DeferredTexts::Make, "The texts, an array of str (*shape, fields).");
  m.def("calculate_arrays", &CalculateArrayRows, py::arg("arguments"), py::arg("names"),
        py::arg("fields"), py::arg("pressure_fallback"), py::arg("threads"),
        py::arg("texts") = true,
        "Every row of arguments broadcast together: (values, texts or DeferredTexts, messages,\n"
        "input pair codes); None for the texts when texts is False.");
  m.def(
      "typed_text", [](py::handle value) { return StrOf(TypedText(value, "value")); },
      py::arg("value"), "The text a value is typed into a field as.");
  m.def(
      "read_number", [](const py::str& text) { return ParseNumber(Utf8Of(text)); }, py::arg("text"),
      "A field's text as the window reads it.");
  m.def("pressure_at_altitudes", &PressureAtAltitudes, py::arg("metres"),
        "The standard atmosphere's pressure in kPa at each altitude in metres.");
}

}  // namespace tarvel::python
