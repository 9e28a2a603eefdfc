// The core's names, for the package to take rather than repeat.
#include <pybind11/stl.h>

#include <string>
#include <utility>
#include <vector>

#include "panel/field_names.h"
#include "panel/form_layout.h"
#include "process/air_parameter.h"
#include "process/process_names.h"
#include "python/src/bindings.h"
#include "tables/column_map.h"

namespace tarvel::python {
namespace {

// By field index (the six parameters, then the pressure) each field's key, caption, unit and
// tarvel-batch's column names; the key by which a design copies a parameter from an earlier
// state; each process's key and Chinese name; the message column's names.
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

void BindNames(py::module_& m) {
  m.def("names", &Names,
        "The core's names: {'keys', 'captions', 'units': by field index, the pressure last;\n"
        "'columns': (Chinese, English) column names by field index; 'copied_keys': the six\n"
        "parameters' keys for a copied text; 'processes': [(key, Chinese name)]; "
        "'message_columns':\n(Chinese, English)}.");
}

}  // namespace tarvel::python
