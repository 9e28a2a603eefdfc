#include "python/src/broadcast_rows.h"

#define NPY_NO_DEPRECATED_API NPY_1_7_API_VERSION
#include <numpy/arrayobject.h>

#include <algorithm>
#include <stdexcept>

namespace tarvel::python {
namespace {

// The shape NumPy broadcasts arrays of these shapes to, or false when they do not broadcast.
bool Broadcast(const std::vector<py::array>& arrays, std::vector<py::ssize_t>& shape) {
  std::size_t dimensions = 0;
  for (const py::array& a : arrays)
    dimensions = std::max(dimensions, static_cast<std::size_t>(a.ndim()));
  shape.assign(dimensions, 1);
  for (const py::array& a : arrays) {
    const std::size_t skip = dimensions - static_cast<std::size_t>(a.ndim());
    for (py::ssize_t d = 0; d < a.ndim(); ++d) {
      py::ssize_t& extent = shape[skip + static_cast<std::size_t>(d)];
      const py::ssize_t own = a.shape(d);
      if (own != extent && own != 1 && extent != 1)
        return false;
      if (own != 1)
        extent = own;
    }
  }
  return true;
}

}  // namespace

void BroadcastRows::ImportNumpy() {
  if (_import_array() < 0)
    throw py::error_already_set();
}

BroadcastRows::BroadcastRows(const std::vector<py::array>& arrays,
                             const std::vector<std::string>& names)
    : arrays_(arrays) {
  if (!Broadcast(arrays_, shape_)) {
    std::string shapes;
    for (std::size_t k = 0; k < arrays_.size(); ++k) {
      py::tuple own(arrays_[k].ndim());
      for (py::ssize_t d = 0; d < arrays_[k].ndim(); ++d)
        own[static_cast<std::size_t>(d)] = arrays_[k].shape(d);
      shapes += (k > 0 ? ", " : "") + names.at(k) + " " + std::string(py::repr(own));
    }
    throw py::value_error("the arguments' shapes do not broadcast together: " + shapes);
  }
  for (const py::ssize_t extent : shape_)
    count_ *= extent;
}

BroadcastRows::~BroadcastRows() {
  for (Cursor& cursor : cursors_) {
    if (cursor.iterator_ != nullptr)
      NpyIter_Deallocate(cursor.iterator_);
  }
}

void BroadcastRows::MakeCursors(int count) {
  if (cursors_.size() == static_cast<std::size_t>(count))
    return;
  for (Cursor& cursor : cursors_) {
    if (cursor.iterator_ != nullptr)
      NpyIter_Deallocate(cursor.iterator_);
  }
  cursors_.clear();
  if (arrays_.empty() || count_ == 0) {
    cursors_.resize(static_cast<std::size_t>(count));
    return;
  }
  std::vector<PyArrayObject*> operands;
  std::vector<npy_uint32> flags(arrays_.size(), NPY_ITER_READONLY);
  for (const py::array& a : arrays_)
    operands.push_back(reinterpret_cast<PyArrayObject*>(a.ptr()));
  // C order makes the iterator's index the row's; a range of it is a block of rows. Object
  // elements are read as the pointers they are, never through Python.
  NpyIter* first = NpyIter_MultiNew(static_cast<int>(operands.size()), operands.data(),
                                    NPY_ITER_RANGED | NPY_ITER_REFS_OK | NPY_ITER_ZEROSIZE_OK,
                                    NPY_CORDER, NPY_NO_CASTING, flags.data(), nullptr);
  if (first == nullptr)
    throw py::error_already_set();
  cursors_.resize(static_cast<std::size_t>(count));
  cursors_[0].iterator_ = first;
  for (std::size_t c = 1; c < cursors_.size(); ++c) {
    cursors_[c].iterator_ = NpyIter_Copy(first);
    if (cursors_[c].iterator_ == nullptr)
      throw py::error_already_set();
  }
  for (Cursor& cursor : cursors_) {
    cursor.next_ = NpyIter_GetIterNext(cursor.iterator_, nullptr);
    cursor.elements_ = NpyIter_GetDataPtrArray(cursor.iterator_);
    if (cursor.next_ == nullptr)
      throw py::error_already_set();
  }
}

void BroadcastRows::Cursor::Start(std::ptrdiff_t begin, std::ptrdiff_t end) {
  char* error = nullptr;
  if (iterator_ != nullptr &&
      NpyIter_ResetToIterIndexRange(iterator_, begin, end, &error) != NPY_SUCCEED)
    throw std::runtime_error(error != nullptr ? error : "NumPy's iterator cannot start there");
}

}  // namespace tarvel::python
