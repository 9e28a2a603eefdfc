// tarvel-batch's reading of a table's header, for calculate_frame.
#include <string>
#include <utility>
#include <vector>

#include <pybind11/stl.h>

#include "python/src/bindings.h"
#include "python/src/typed_text.h"
#include "tables/column_map.h"
#include "tables/plain_number.h"
#include "tables/table_error.h"

namespace tarvel::python {
namespace {

// The field of each column, where the messages go, and the columns an answer appends, named in
// the header's language. Names are str, whatever characters they hold.
py::dict MapColumns(const py::list& names) {
  std::vector<std::string> header;
  for (const py::handle name : names)
    header.push_back(Utf8Of(name));
  tables::ColumnMap map;
  try {
    map = tables::MapColumns(header);
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
  result["chinese"] = map.language == tables::HeaderLanguage::Chinese;
  return result;
}

}  // namespace

void BindTables(py::module_& m) {
  m.def("map_columns", &MapColumns, py::arg("names"), "tarvel-batch's reading of a header.");
  m.def(
      "is_plain_number", [](const py::str& text) { return tables::IsPlainNumber(Utf8Of(text)); },
      py::arg("text"), "Whether tarvel-batch takes the text as a --pressure.");
}

}  // namespace tarvel::python
