#include "python/src/text_array.h"

#include <algorithm>
#include <string>

#include "python/src/parallel_blocks.h"
#include "python/src/typed_text.h"
#include "python/src/unicode_text.h"

namespace tarvel::python {
namespace {

// What one thread saw of the texts it wrote.
struct Seen {
  std::size_t widest = 0;
  bool ends_in_nul = false;
};

// Every text again, as Python str objects; holds the GIL.
py::array ObjectTexts(const std::vector<py::ssize_t>& text_shape, std::ptrdiff_t rows,
                      const BlockTexts& texts) {
  const auto fields = static_cast<std::ptrdiff_t>(text_shape.back());
  py::array objects(py::dtype("O"), text_shape);
  auto* slots = static_cast<PyObject**>(objects.mutable_data());
  texts(0, rows, 0, [&](std::ptrdiff_t row, int field, std::string_view text) {
    PyObject*& slot = slots[row * fields + field];
    Py_XDECREF(slot);
    slot = StrOf(text).release().ptr();
  });
  return objects;
}

// Every text written `width` code points wide, on the workers.
py::array FixedTexts(const std::vector<py::ssize_t>& text_shape, std::ptrdiff_t rows, int workers,
                     std::size_t width, const BlockTexts& texts, std::vector<Seen>* seen) {
  const auto fields = static_cast<std::ptrdiff_t>(text_shape.back());
  py::array array(StrType(width), text_shape);
  auto* data = static_cast<std::uint32_t*>(array.mutable_data());
  const auto stride = static_cast<std::ptrdiff_t>(width);
  ForEachBlock(rows, workers, [&](std::ptrdiff_t begin, std::ptrdiff_t end, int worker) {
    Seen* own = seen != nullptr ? &(*seen)[static_cast<std::size_t>(worker)] : nullptr;
    texts(begin, end, worker, [&](std::ptrdiff_t row, int field, std::string_view text) {
      std::uint32_t* slot = data + (row * fields + field) * stride;
      if (own == nullptr) {
        WriteStr(text, slot, width);
        return;
      }
      const std::size_t length = CodePointCount(text);
      own->widest = std::max(own->widest, length);
      own->ends_in_nul |= !text.empty() && text.back() == '\0';
      if (length <= width)
        WriteStr(text, slot, width);
    });
  });
  return array;
}

}  // namespace

py::dtype StrType(std::size_t width) {
  return py::dtype("<U" + std::to_string(std::max<std::size_t>(width, 1)));
}

void WriteStr(std::string_view text, std::uint32_t* slot, std::size_t width) {
  const std::size_t length = DecodeUtf8(text, slot);
  std::fill(slot + length, slot + width, 0);
}

py::array MakeTextArray(const std::vector<py::ssize_t>& text_shape, std::ptrdiff_t rows,
                        int workers, const BlockTexts& texts) {
  std::vector<Seen> seen(static_cast<std::size_t>(workers));
  py::array first = FixedTexts(text_shape, rows, workers, kFirstTextWidth, texts, &seen);
  std::size_t widest = 0;
  bool ends_in_nul = false;
  for (const Seen& s : seen) {
    widest = std::max(widest, s.widest);
    ends_in_nul |= s.ends_in_nul;
  }
  if (!ends_in_nul && widest <= kFirstTextWidth)
    return first;
  first = py::array();  // not needed any more: its memory is freed first
  if (ends_in_nul || widest > kWidestFixedText)
    return ObjectTexts(text_shape, rows, texts);
  return FixedTexts(text_shape, rows, workers, widest, texts, nullptr);
}

}  // namespace tarvel::python
