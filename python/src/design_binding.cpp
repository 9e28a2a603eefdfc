// The design request's answer, for tarvel.design.
#include <string_view>

#include "python/src/bindings.h"
#include "tables/design_line.h"

namespace tarvel::python {

void BindDesign(py::module_& m) {
  m.def(
      "design_answer",
      [](const py::bytes& request) {
        const std::string_view line(request);
        std::string answer;
        {
          const py::gil_scoped_release unlocked;
          answer = tables::DesignAnswerLine(line);
        }
        return py::bytes(answer);
      },
      py::arg("request"),
      "The replay tool's answer line to a design request line, both UTF-8 bytes as they are.");
}

}  // namespace tarvel::python
