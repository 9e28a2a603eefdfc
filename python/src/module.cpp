// _tarvel: the compiled part of the Python module tarvel. The package's Python code checks the
// arguments' types and documents the API; everything done per row is here, in C++, without the
// GIL.
#include <pybind11/pybind11.h>

#include "python/src/bindings.h"
#include "python/src/broadcast_rows.h"

PYBIND11_MODULE(_tarvel, m) {
  using namespace tarvel::python;
  m.doc() = "The compiled part of tarvel; use the package tarvel, which documents it.";
  BroadcastRows::ImportNumpy();
  BindCalculation(m);
  BindTables(m);
  BindDesign(m);
  BindNames(m);
  BindWeather(m);
  BindComfort(m);
}
