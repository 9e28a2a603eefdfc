#pragma once

#include <cstddef>

#include <pybind11/pybind11.h>

namespace tarvel::python {

namespace py = pybind11;

// The threads a caller asked for: every core this process may use for None, else the positive int
// given (an int too large for an int stands for as many as there may be). Raises ValueError for
// anything else, bool and float among them, naming the argument `threads`.
int RequestedThreads(py::handle threads);

// The cores this process may run on, at least 1.
int UsableCores();

// The threads that work on `rows` rows when `requested` were asked for: no more than the blocks of
// work there are and the cores, so that nothing is made for a thread that would have nothing to
// do; at least 1.
int WorkerCount(std::ptrdiff_t rows, int requested);

}  // namespace tarvel::python
