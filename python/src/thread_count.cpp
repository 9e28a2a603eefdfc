#include "python/src/thread_count.h"

#include <sched.h>

#include <algorithm>
#include <climits>
#include <string>
#include <thread>

#include "python/src/parallel_blocks.h"

namespace tarvel::python {
namespace {

[[noreturn]] void RefuseThreads(const std::string& what) {
  throw py::value_error("threads must be a positive int, or None for every core, not " + what);
}

}  // namespace

int RequestedThreads(py::handle threads) {
  if (threads.is_none())
    return UsableCores();
  // bool is an int to Python, NumPy's bool_ has no __index__; neither counts threads.
  const std::string type = py::str(py::type::handle_of(threads).attr("__name__"));
  if (PyBool_Check(threads.ptr()) || type == "bool_" || !PyIndex_Check(threads.ptr()))
    RefuseThreads(type);
  const py::object index = py::reinterpret_steal<py::object>(PyNumber_Index(threads.ptr()));
  if (!index)
    throw py::error_already_set();
  int overflow = 0;
  const long long count = PyLong_AsLongLongAndOverflow(index.ptr(), &overflow);
  if (overflow > 0)
    return INT_MAX;
  if (overflow < 0 || count < 1)
    RefuseThreads(py::str(index));
  return static_cast<int>(std::min<long long>(count, INT_MAX));
}

int UsableCores() {
  cpu_set_t set;
  if (sched_getaffinity(0, sizeof set, &set) == 0)
    return std::max(CPU_COUNT(&set), 1);
  return std::max(static_cast<int>(std::thread::hardware_concurrency()), 1);
}

int WorkerCount(std::ptrdiff_t rows, int requested) {
  const std::ptrdiff_t most = std::min<std::ptrdiff_t>(BlockCount(rows), UsableCores());
  return static_cast<int>(std::max<std::ptrdiff_t>(std::min<std::ptrdiff_t>(requested, most), 1));
}

}  // namespace tarvel::python
