#include "python/src/text_array.h"

#include <algorithm>
#include <string>

#include "python/src/parallel_blocks.h"
#include "python/src/typed_text.h"
#include "python/src/unicode_text.h"

namespace tarvel::python {

py::dtype StrType(std::size_t width) {
  return py::dtype("<U" + std::to_string(std::max<std::size_t>(width, 1)));
}

void WriteStr(std::string_view text, std::uint32_t* slot, std::size_t width) {
  const std::size_t length = DecodeUtf8(text, slot);
  std::fill(slot + length, slot + width, 0);
}

TextArrayWriter::TextArrayWriter(std::vector<py::ssize_t> text_shape, int threads)
    : shape_(std::move(text_shape)),
      fields_(static_cast<int>(shape_.back())),
      array_(StrType(kFirstTextWidth), shape_),
      first_(static_cast<std::uint32_t*>(array_.mutable_data())),
      seen_(static_cast<std::size_t>(std::max(threads, 1))) {}

void TextArrayWriter::Write(int worker, std::ptrdiff_t row, int field, std::string_view text) {
  Seen& seen = seen_[static_cast<std::size_t>(worker)];
  const std::size_t width = CodePointCount(text);
  seen.widest = std::max(seen.widest, width);
  seen.ends_in_nul |= !text.empty() && text.back() == '\0';
  if (width <= kFirstTextWidth)
    WriteStr(text, first_ + (row * fields_ + field) * kFirstTextWidth, kFirstTextWidth);
}

py::array TextArrayWriter::Finish(std::ptrdiff_t rows, int threads, const BlockTexts& again) {
  std::size_t widest = 0;
  bool ends_in_nul = false;
  for (const Seen& seen : seen_) {
    widest = std::max(widest, seen.widest);
    ends_in_nul |= seen.ends_in_nul;
  }
  if (!ends_in_nul && widest <= kFirstTextWidth)
    return array_;
  array_ = py::array();  // not needed any more: its memory is freed first
  if (ends_in_nul || widest > kWidestFixedText) {
    py::array objects(py::dtype("O"), shape_);
    auto* slots = static_cast<PyObject**>(objects.mutable_data());
    again(0, rows, 0, [&](std::ptrdiff_t row, int field, std::string_view text) {
      PyObject*& slot = slots[row * fields_ + field];
      Py_XDECREF(slot);
      slot = StrOf(text).release().ptr();
    });
    return objects;
  }
  py::array wide(StrType(widest), shape_);
  auto* data = static_cast<std::uint32_t*>(wide.mutable_data());
  const auto width = static_cast<std::ptrdiff_t>(widest);
  const py::gil_scoped_release unlocked;
  ForEachBlock(rows, threads, [&](std::ptrdiff_t begin, std::ptrdiff_t end, int worker) {
    again(begin, end, worker, [&](std::ptrdiff_t row, int field, std::string_view text) {
      WriteStr(text, data + (row * fields_ + field) * width, widest);
    });
  });
  return wide;
}

py::array MakeTextArray(const std::vector<py::ssize_t>& text_shape, std::ptrdiff_t rows,
                        int threads, const BlockTexts& texts) {
  TextArrayWriter writer(text_shape, threads);
  {
    const py::gil_scoped_release unlocked;
    ForEachBlock(rows, threads, [&](std::ptrdiff_t begin, std::ptrdiff_t end, int worker) {
      texts(begin, end, worker, [&](std::ptrdiff_t row, int field, std::string_view text) {
        writer.Write(worker, row, field, text);
      });
    });
  }
  return writer.Finish(rows, threads, texts);
}

}  // namespace tarvel::python
