// _tarvel: the compiled part of the Python module tarvel. The package's Python code checks and
// broadcasts the arguments and documents the API; everything done per row is here, in C++, without
// the GIL.
#include <optional>
#include <string>
#include <vector>

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include "panel/field_names.h"
#include "panel/form_layout.h"
#include "panel/number_text.h"
#include "physics/standard_atmosphere.h"
#include "process/air_parameter.h"
#include "process/process_names.h"
#include "python/src/argument_column.h"
#include "python/src/array_calculation.h"
#include "python/src/row_answer.h"
#include "python/src/typed_text.h"
#include "tables/column_map.h"
#include "tables/design_line.h"
#include "tables/plain_number.h"
#include "tables/table_error.h"

namespace tarvel::python {
namespace {

// One row: seven scalar arguments (by FieldIndex, the pressure last) and their names.
py::tuple CalculateRow(const std::vector<py::object>& arguments,
                       const std::vector<std::string>& names) {
  std::array<std::string, kFieldCount> texts;
  std::array<std::string_view, kFieldCount> typed;
  for (int f = 0; f < kFieldCount; ++f) {
    texts[f] = TypedText(arguments.at(f), names.at(f));
    typed[f] = texts[f];
  }
  RowAnswer answer;
  answer.Calculate(typed);
  py::tuple values(kParameterCount), field_texts(kParameterCount);
  for (int i = 0; i < kParameterCount; ++i) {
    values[i] = answer.Value(ParameterField(i));
    field_texts[i] = StrOf(answer.Text(ParameterField(i)));
  }
  const py::object message =
      answer.Message().empty() ? py::object(py::none()) : py::object(StrOf(answer.Message()));
  return py::make_tuple(values, field_texts, message, answer.Inputs());
}

py::tuple CalculateArrayRows(const std::vector<py::object>& arguments,
                             const std::vector<std::string>& names,
                             const std::vector<std::ptrdiff_t>& shape, int fields,
                             const std::optional<std::string>& pressure_fallback, int threads,
                             bool texts) {
  if (fields != kParameterCount && fields != kFieldCount)
    throw py::value_error("fields must be 6 or 7");
  if (threads < 1)
    throw py::value_error("threads must be at least 1");
  std::vector<ArgumentColumn> columns;
  for (int f = 0; f < kFieldCount; ++f)
    columns.emplace_back(arguments.at(f), names.at(f), shape.size());
  ArrayAnswer answer = CalculateArrays(columns, shape, fields, pressure_fallback, threads, texts);
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

// tarvel-batch's reading of a table's names: the field of each column, where the messages go,
// and the columns an answer appends, named in the header's language.
py::dict MapColumns(const std::vector<std::string>& names) {
  tables::ColumnMap map;
  try {
    map = tables::MapColumns(names);
  } catch (const tables::TableError& e) {
    throw py::value_error(e.what());
  }
  py::dict result;
  result["field_columns"] = std::vector<int>(map.field_column.begin(), map.field_column.end());
  result["message_column"] = map.message_column;
  std::vector<std::pair<int, std::string>> appended;
  for (const AirField field : map.appended_fields)
    appended.emplace_back(FieldIndex(field), tables::FieldColumnName(field, map.language));
  result["appended"] = appended;
  result["message_name"] = std::string(tables::MessageColumnName(map.language));
  return result;
}

// The core's names, for the package to take rather than repeat: by field index (the six
// parameters, then the pressure) each field's key, caption, unit and tarvel-batch's column names;
// the key by which a design copies a parameter from an earlier state; each process's key and
// Chinese name; the message column's names.
py::dict Names() {
  std::vector<std::string> keys, captions, units, chinese, english, copied;
  for (int f = 0; f < kFieldCount; ++f) {
    const AirField field = static_cast<AirField>(f);
    keys.emplace_back(KeyOf(field));
    captions.emplace_back(form::FieldCaption(field));
    units.emplace_back(form::FieldUnit(field));
    chinese.emplace_back(tables::FieldColumnName(field, tables::HeaderLanguage::Chinese));
    english.emplace_back(tables::FieldColumnName(field, tables::HeaderLanguage::English));
    if (f < kParameterCount)
      copied.emplace_back(process::CopiedParameterKey(field));
  }
  std::vector<std::pair<std::string, std::string>> processes;
  for (const process::ProcessName& process : process::kProcessNames)
    processes.emplace_back(process.key, process.name);
  py::dict names;
  names["keys"] = keys;
  names["captions"] = captions;
  names["units"] = units;
  names["columns"] = py::make_tuple(chinese, english);
  names["copied_keys"] = copied;
  names["processes"] = processes;
  names["message_columns"] = py::make_tuple(std::string(tables::kMessageColumnChinese),
                                            std::string(tables::kMessageColumnEnglish));
  return names;
}

}  // namespace
}  // namespace tarvel::python

PYBIND11_MODULE(_tarvel, m) {
  using namespace tarvel;
  using namespace tarvel::python;
  m.doc() = "The compiled part of tarvel; use the package tarvel, which documents it.";
  m.def("calculate_row", &CalculateRow, py::arg("arguments"), py::arg("names"),
        "One calculation on seven scalar arguments: (values, texts, message, input pair code).");
  py::class_<DeferredTexts>(m, "DeferredTexts",
                            "The texts of an array calculation, made when first asked for.")
      .def("make", &DeferredTexts::Make, "The texts, an array of str (*shape, fields).");
  m.def("calculate_arrays", &CalculateArrayRows, py::arg("arguments"), py::arg("names"),
        py::arg("shape"), py::arg("fields"), py::arg("pressure_fallback"), py::arg("threads"),
        py::arg("texts") = true,
        "Every row of broadcast arguments: (values, texts or DeferredTexts, messages, input pair\n"
        "codes); None for the texts when texts is False.");
  m.def(
      "typed_text", [](py::handle value) { return StrOf(TypedText(value, "value")); },
      py::arg("value"), "The text a value is typed into a field as.");
  m.def(
      "read_number", [](py::str text) { return ParseNumber(Utf8Of(text)); }, py::arg("text"),
      "A field's text as the window reads it.");
  m.def("pressure_at_altitudes", &PressureAtAltitudes, py::arg("metres"),
        "The standard atmosphere's pressure in kPa at each altitude in metres.");
  m.def(
      "design_answer",
      [](const std::string& request) {
        py::gil_scoped_release unlocked;
        return tables::DesignAnswerLine(request);
      },
      py::arg("request"), "The replay tool's answer line to a design request line.");
  m.def(
      "names", &Names,
      "The core's names: {'keys', 'captions', 'units': by field index, the pressure last;\n"
      "'columns': (Chinese, English) column names by field index; 'copied_keys': the six\n"
      "parameters' keys for a copied text; 'processes': [(key, Chinese name)]; 'message_columns':\n"
      "(Chinese, English)}.");
  m.def("map_columns", &MapColumns, py::arg("names"), "tarvel-batch's reading of a header.");
  m.def(
      "is_plain_number", [](const std::string& text) { return tables::IsPlainNumber(text); },
      py::arg("text"), "Whether tarvel-batch takes the text as a --pressure.");
}
