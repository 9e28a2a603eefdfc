#pragma once

#include <pybind11/pybind11.h>

namespace tarvel::python {

namespace py = pybind11;

// The compiled part's functions, bound by job, each in its own file.
void BindCalculation(py::module_& m);  // calculation_binding.cpp: calculate and its helpers
void BindTables(py::module_& m);       // table_binding.cpp: tarvel-batch's reading of a header
void BindDesign(py::module_& m);       // design_binding.cpp: the design request's answer
void BindNames(
    py::module_& m);  // names_binding.cpp: the core's names of fields, processes, columns
void BindWeather(py::module_& m);  // weather_binding.cpp: weather files, tables of hours, climate
void BindComfort(py::module_& m);  // comfort_binding.cpp: PMV and PPD

}  // namespace tarvel::python
