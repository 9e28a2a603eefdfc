// PMV and PPD, for tarvel.pmv.
#include <limits>
#include <optional>
#include <vector>

#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include "climate/pmv.h"
#include "python/src/bindings.h"

namespace tarvel::python {
namespace {

using Doubles = py::array_t<double, py::array::c_style | py::array::forcecast>;

// PMV and PPD for each element of arrays of one shape; NaN for both where the model gives none.
// `radiant` None takes the mean radiant temperature equal to the dry bulb.
py::tuple Comfort(const Doubles& dry_bulb, const Doubles& rel_humidity, const Doubles& met,
                  const Doubles& clo, const Doubles& air_speed,
                  const std::optional<Doubles>& radiant) {
  const py::ssize_t count = dry_bulb.size();
  for (const Doubles* other : {&rel_humidity, &met, &clo, &air_speed}) {
    if (other->size() != count)
      throw py::value_error("the arguments must be broadcast to one shape");
  }
  if (radiant && radiant->size() != count)
    throw py::value_error("the arguments must be broadcast to one shape");
  const std::vector<py::ssize_t> shape(dry_bulb.shape(), dry_bulb.shape() + dry_bulb.ndim());
  py::array_t<double> pmv(shape), ppd(shape);
  const double* t = dry_bulb.data();
  const double* rh = rel_humidity.data();
  const double* m = met.data();
  const double* c = clo.data();
  const double* v = air_speed.data();
  const double* tr = radiant ? radiant->data() : nullptr;
  double* out_pmv = pmv.mutable_data();
  double* out_ppd = ppd.mutable_data();
  {
    const py::gil_scoped_release unlocked;
    for (py::ssize_t i = 0; i < count; ++i) {
      const climate::PmvSettings settings{m[i], c[i], v[i],
                                          tr ? std::optional<double>(tr[i]) : std::nullopt};
      const std::optional<climate::Pmv> result = climate::PmvFromRelHumidity(t[i], rh[i], settings);
      out_pmv[i] = result ? result->pmv : std::numeric_limits<double>::quiet_NaN();
      out_ppd[i] = result ? result->ppd : std::numeric_limits<double>::quiet_NaN();
    }
  }
  return py::make_tuple(pmv, ppd);
}

}  // namespace

void BindComfort(py::module_& m) {
  m.def("comfort", &Comfort, py::arg("dry_bulb"), py::arg("rel_humidity"), py::arg("met"),
        py::arg("clo"), py::arg("air_speed"), py::arg("radiant"),
        "PMV and PPD for arrays of one shape: (pmv, ppd).");
  m.def(
      "pmv_defaults",
      [] {
        const climate::PmvSettings defaults;
        return py::make_tuple(defaults.met, defaults.clo, defaults.air_speed);
      },
      "The metabolic rate, clothing and air speed of the PMV zones unless given.");
}

}  // namespace tarvel::python
