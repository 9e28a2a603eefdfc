#pragma once

#include <pybind11/numpy.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

namespace tarvel::python {

namespace py = pybind11;

// The texts of an array calculation are a fixed-width NumPy str array (*shape, fields), 8 code
// points wide, or as wide as the widest text where one is wider, unless a text is wider than
// kWidestFixedText or ends in a NUL (which a fixed-width str drops): then an object array of str.
inline constexpr std::size_t kFirstTextWidth = 8;
inline constexpr std::size_t kWidestFixedText = 64;

// Hands each text of the rows [begin, end) to emit(row, field, text), on thread `worker`.
using TextEmitter = std::function<void(std::ptrdiff_t row, int field, std::string_view text)>;
using BlockTexts = std::function<void(std::ptrdiff_t begin, std::ptrdiff_t end, int worker,
                                      const TextEmitter& emit)>;

// The NumPy type of str elements `width` code points wide (at least 1).
py::dtype StrType(std::size_t width);

// Writes UTF-8 text as the code points of a str element `width` wide (the text holds no more).
void WriteStr(std::string_view text, std::uint32_t* slot, std::size_t width);

// The str array as the texts come, first 8 wide: Write takes them from any thread, each row from
// one; Finish makes the array again, wider or of objects, where a text needs it.
class TextArrayWriter {
 public:
  // Allocates the array; holds the GIL.
  TextArrayWriter(std::vector<py::ssize_t> text_shape, int threads);

  void Write(int worker, std::ptrdiff_t row, int field, std::string_view text);

  // The array, made again from `again` (the same texts) when a text was too wide for 8 code
  // points. Holds the GIL; releases it while it writes a wider fixed-width array.
  py::array Finish(std::ptrdiff_t rows, int threads, const BlockTexts& again);

 private:
  struct Seen {
    std::size_t widest = 0;
    bool ends_in_nul = false;
  };

  std::vector<py::ssize_t> shape_;
  int fields_;
  py::array array_;
  std::uint32_t* first_;
  std::vector<Seen> seen_;  // one per worker
};

// The str array of every text of `rows` rows, from `texts` on `threads` threads. Holds the GIL
// and releases it while the texts are made.
py::array MakeTextArray(const std::vector<py::ssize_t>& text_shape, std::ptrdiff_t rows,
                        int threads, const BlockTexts& texts);

}  // namespace tarvel::python
