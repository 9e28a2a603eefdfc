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

// The str array of every text of `rows` rows, from `texts` on `workers` threads (ForEachBlock):
// written 8 wide as they come, and made again, wider or of objects, only where a text needs it.
// Holds the GIL, and releases it while the texts are made.
py::array MakeTextArray(const std::vector<py::ssize_t>& text_shape, std::ptrdiff_t rows,
                        int workers, const BlockTexts& texts);

}  // namespace tarvel::python
