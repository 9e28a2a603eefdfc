#pragma once

#include <array>
#include <cstddef>
#include <vector>

namespace tarvel::python {

// Walks the rows of a broadcast shape in C order, from any row on, keeping the byte offset of
// each of N strided arrays: one division per dimension to start, then additions.
template <std::size_t N>
class StridedRows {
 public:
  // `strides[k]` holds array k's strides, one per dimension of `shape`.
  StridedRows(const std::vector<std::ptrdiff_t>& shape,
              const std::array<const std::vector<std::ptrdiff_t>*, N>& strides, std::ptrdiff_t row)
      : shape_(shape), strides_(strides), index_(shape.size(), 0) {
    for (std::size_t d = shape.size(); d-- > 0;) {
      if (shape[d] == 0)
        return;
      index_[d] = row % shape[d];
      row /= shape[d];
      for (std::size_t k = 0; k < N; ++k)
        offsets_[k] += index_[d] * (*strides_[k])[d];
    }
  }

  std::ptrdiff_t Offset(std::size_t k) const { return offsets_[k]; }

  void Next() {
    for (std::size_t d = shape_.size(); d-- > 0;) {
      for (std::size_t k = 0; k < N; ++k)
        offsets_[k] += (*strides_[k])[d];
      if (++index_[d] < shape_[d])
        return;
      for (std::size_t k = 0; k < N; ++k)
        offsets_[k] -= shape_[d] * (*strides_[k])[d];
      index_[d] = 0;
    }
  }

 private:
  const std::vector<std::ptrdiff_t>& shape_;
  std::array<const std::vector<std::ptrdiff_t>*, N> strides_;
  std::vector<std::ptrdiff_t> index_;
  std::array<std::ptrdiff_t, N> offsets_{};
};

}  // namespace tarvel::python
