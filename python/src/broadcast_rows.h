#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include <pybind11/numpy.h>

struct NpyIter_InternalOnly;  // NumPy's iterator (numpy/ndarraytypes.h), kept out of this header

namespace tarvel::python {

namespace py = pybind11;

// The rows of arrays broadcast together, walked by NumPy's own iterator in C order, so that the
// n-th element it visits is row n of the broadcast shape, whatever the arrays' strides and order.
// Made and destroyed with the GIL held; each thread walks with a cursor of its own without it.
class BroadcastRows {
 public:
  // Loads NumPy's C interface; once, when the module is imported.
  static void ImportNumpy();

  // `arrays` (objects among them) are broadcast as NumPy broadcasts; raises ValueError, naming
  // each array by `names`, when their shapes do not broadcast together. No array: one row.
  BroadcastRows(const std::vector<py::array>& arrays, const std::vector<std::string>& names);
  ~BroadcastRows();
  BroadcastRows(const BroadcastRows&) = delete;
  BroadcastRows& operator=(const BroadcastRows&) = delete;

  const std::vector<py::ssize_t>& Shape() const { return shape_; }
  std::ptrdiff_t Count() const { return count_; }

  // One walker for one thread.
  class Cursor {
   public:
    // Stands on row `begin`, to walk up to `end`.
    void Start(std::ptrdiff_t begin, std::ptrdiff_t end);
    // The element of array k in the current row.
    const char* Element(std::size_t k) const { return elements_[k]; }
    void Next() {
      if (iterator_ != nullptr)
        next_(iterator_);
    }

   private:
    friend class BroadcastRows;
    NpyIter_InternalOnly* iterator_ = nullptr;  // none without arrays
    int (*next_)(NpyIter_InternalOnly*) = nullptr;
    char** elements_ = nullptr;  // the iterator's own, moved on by next_
  };

  // Makes `count` cursors, numbered from 0; holds the GIL.
  void MakeCursors(int count);
  Cursor& CursorOf(int worker) { return cursors_[static_cast<std::size_t>(worker)]; }

 private:
  std::vector<py::ssize_t> shape_;
  std::ptrdiff_t count_ = 1;
  std::vector<py::array> arrays_;
  std::vector<Cursor> cursors_;  // the first one's iterator is the one the others copy
};

}  // namespace tarvel::python
