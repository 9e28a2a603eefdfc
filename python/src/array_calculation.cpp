#include "python/src/array_calculation.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <utility>

#include "python/src/parallel_blocks.h"
#include "python/src/row_answer.h"
#include "python/src/strided_rows.h"
#include "python/src/typed_text.h"
#include "python/src/unicode_text.h"
#include "ui/number_text.h"

namespace tarvel::python {
namespace {

constexpr int kPressure = FieldIndex(AirField::Pressure);

// A field's text after its command, kept from the calculation until the texts' width is known:
// up to seven bytes in place, or a mark that it is made again, from the text typed (when the field
// kept it) or as the command wrote it, FormatNumber of the value it reads as (a written text is
// FormatNumber's, and FormatNumber writes the text it reads back from again). Eight bytes a field:
// almost every text fits, and long ones cost no memory.
struct KeptText {
  static constexpr std::uint8_t kRetype = 0xfe, kRewrite = 0xff;
  char bytes[7];
  std::uint8_t length;  // 0 to 7, or a mark
};

// What one thread keeps while it answers its blocks.
struct Worker {
  RowAnswer answer;
  std::array<TextScratch, kFieldCount> scratch;
  std::size_t widest_text = 0;
  bool text_ends_in_nul = false;
  std::size_t widest_message = 0;
  std::vector<std::pair<std::ptrdiff_t, std::string>> messages;  // (row, message), rows with one
};

// The arguments, the shape they are broadcast to, and the texts kept of every row.
class Rows {
 public:
  Rows(const std::vector<ArgumentColumn>& columns, const std::vector<std::ptrdiff_t>& shape,
       const std::optional<std::string>& pressure_fallback, int fields, const double* values,
       std::ptrdiff_t count)
      : columns_(columns),
        shape_(shape),
        fallback_(pressure_fallback),
        fields_(fields),
        values_(values),
        count_(count),
        kept_(static_cast<std::size_t>(count * fields)) {
    for (int f = 0; f < kFieldCount; ++f)
      strides_[f] = &columns[f].Strides();
  }

  StridedRows<kFieldCount> From(std::ptrdiff_t row) const { return {shape_, strides_, row}; }

  // The value of field f's text when it kept the text typed at the cursor: the number typed, when
  // that was a double (whose text reads back as it; a NaN typed nothing, and the text is the
  // pressure fallback's), else the window's reading of the text.
  double KeptValue(int f, const StridedRows<kFieldCount>& at, std::string_view text) const {
    double x;
    if (!text.empty() && columns_[f].Number(at.Offset(f), x) && !std::isnan(x))
      return x;
    return text.empty() ? std::numeric_limits<double>::quiet_NaN() : ParseNumber(text);
  }

  // The text typed into field f at the cursor.
  std::string_view Typed(int f, const StridedRows<kFieldCount>& at, TextScratch& scratch) const {
    const std::string_view text = columns_[f].Text(at.Offset(f), scratch);
    return f == kPressure && text.empty() && fallback_ ? std::string_view(*fallback_) : text;
  }

  void Keep(std::ptrdiff_t row, int f, std::string_view text, bool typed) {
    KeptText& kept = kept_[static_cast<std::size_t>(row * fields_ + f)];
    if (text.size() <= sizeof kept.bytes) {
      std::memcpy(kept.bytes, text.data(), text.size());
      kept.length = static_cast<std::uint8_t>(text.size());
    } else {
      kept.length = typed ? KeptText::kRetype : KeptText::kRewrite;
    }
  }

  // Field f's text after the command of `row`, in `scratch` or `number` where it is made again.
  std::string_view Text(std::ptrdiff_t row, int f, TextScratch& scratch, char* number) const {
    const KeptText& kept = kept_[static_cast<std::size_t>(row * fields_ + f)];
    if (kept.length <= sizeof kept.bytes)
      return {kept.bytes, kept.length};
    if (kept.length == KeptText::kRetype)
      return Typed(f, From(row), scratch);
    return {number, FormatNumber(values_[f * count_ + row], number)};
  }

 private:
  const std::vector<ArgumentColumn>& columns_;
  const std::vector<std::ptrdiff_t>& shape_;
  const std::optional<std::string>& fallback_;
  const int fields_;
  const double* values_;
  const std::ptrdiff_t count_;
  std::array<const std::vector<std::ptrdiff_t>*, kFieldCount> strides_{};
  std::vector<KeptText> kept_;
};

void FillFixedTexts(const Rows& rows, std::ptrdiff_t count, int fields, std::size_t width,
                    std::uint32_t* texts, std::vector<Worker>& workers, int threads) {
  ForEachBlock(count, threads, [&](std::ptrdiff_t begin, std::ptrdiff_t end, int w) {
    char number[kNumberTextCapacity];
    for (std::ptrdiff_t row = begin; row < end; ++row) {
      for (int f = 0; f < fields; ++f) {
        std::uint32_t* slot = texts + (row * fields + f) * static_cast<std::ptrdiff_t>(width);
        const std::string_view text = rows.Text(row, f, workers[w].scratch[f], number);
        const std::size_t length = DecodeUtf8(text, slot);
        std::fill(slot + length, slot + width, 0);
      }
    }
  });
}

// The texts as Python's str objects, for texts that a fixed width cannot hold well. Holds the GIL.
void FillObjectTexts(const Rows& rows, std::ptrdiff_t count, int fields, PyObject** texts,
                     std::array<TextScratch, kFieldCount>& scratch) {
  char number[kNumberTextCapacity];
  for (std::ptrdiff_t row = 0; row < count; ++row) {
    for (int f = 0; f < fields; ++f) {
      PyObject*& slot = texts[row * fields + f];
      Py_XDECREF(slot);
      slot = StrOf(rows.Text(row, f, scratch[f], number)).release().ptr();
    }
  }
}

py::dtype StrType(std::size_t width) {
  return py::dtype("<U" + std::to_string(std::max<std::size_t>(width, 1)));
}

}  // namespace

ArrayAnswer CalculateArrays(const std::vector<ArgumentColumn>& columns,
                            const std::vector<std::ptrdiff_t>& shape, int fields,
                            const std::optional<std::string>& pressure_fallback, int threads) {
  std::ptrdiff_t count = 1;
  for (const std::ptrdiff_t extent : shape)
    count *= extent;
  std::vector<py::ssize_t> value_shape{fields};
  value_shape.insert(value_shape.end(), shape.begin(), shape.end());
  std::vector<py::ssize_t> text_shape(shape.begin(), shape.end());
  text_shape.push_back(fields);

  ArrayAnswer answer;
  answer.values = py::array_t<double>(value_shape);
  answer.inputs = py::array_t<std::uint8_t>(std::vector<py::ssize_t>(shape.begin(), shape.end()));
  double* values = static_cast<double*>(answer.values.mutable_data());
  auto* inputs = static_cast<std::uint8_t*>(answer.inputs.mutable_data());
  Rows rows(columns, shape, pressure_fallback, fields, values, count);
  std::vector<Worker> workers(static_cast<std::size_t>(std::max(threads, 1)));

  {
    const py::gil_scoped_release unlocked;
    ForEachBlock(count, threads, [&](std::ptrdiff_t begin, std::ptrdiff_t end, int w) {
      Worker& worker = workers[w];
      std::array<std::string_view, kFieldCount> typed;
      StridedRows<kFieldCount> at = rows.From(begin);
      for (std::ptrdiff_t row = begin; row < end; ++row, at.Next()) {
        for (int f = 0; f < kFieldCount; ++f)
          typed[f] = rows.Typed(f, at, worker.scratch[f]);
        worker.answer.Calculate(typed);
        for (int f = 0; f < fields; ++f) {
          const auto field = static_cast<AirField>(f);
          const std::string_view text = worker.answer.Text(field);
          const bool kept = text == typed[f];
          values[f * count + row] = kept ? rows.KeptValue(f, at, text) : worker.answer.Value(field);
          rows.Keep(row, f, text, kept);
          worker.widest_text =
              std::max(worker.widest_text, kept ? CodePointCount(text) : text.size());
          worker.text_ends_in_nul |= kept && !text.empty() && text.back() == '\0';
        }
        inputs[row] = static_cast<std::uint8_t>(worker.answer.Inputs());
        if (const std::string& message = worker.answer.Message(); !message.empty()) {
          worker.widest_message = std::max(worker.widest_message, CodePointCount(message));
          worker.messages.emplace_back(row, message);
        }
      }
    });
  }

  std::size_t widest_text = 0, widest_message = 0;
  bool text_ends_in_nul = false;
  for (const Worker& worker : workers) {
    widest_text = std::max(widest_text, worker.widest_text);
    widest_message = std::max(widest_message, worker.widest_message);
    text_ends_in_nul |= worker.text_ends_in_nul;
  }

  if (widest_text <= kWidestFixedText && !text_ends_in_nul) {
    answer.texts = py::array(StrType(widest_text), text_shape);
    auto* texts = static_cast<std::uint32_t*>(answer.texts.mutable_data());
    const py::gil_scoped_release unlocked;
    FillFixedTexts(rows, count, fields, std::max<std::size_t>(widest_text, 1), texts, workers,
                   threads);
  } else {
    answer.texts = py::array(py::dtype("O"), text_shape);
    FillObjectTexts(rows, count, fields, static_cast<PyObject**>(answer.texts.mutable_data()),
                    workers[0].scratch);
  }

  answer.messages = py::array(StrType(widest_message), shape);
  auto* messages = static_cast<std::uint32_t*>(answer.messages.mutable_data());
  const std::size_t message_width = std::max<std::size_t>(widest_message, 1);
  std::fill(messages, messages + count * static_cast<std::ptrdiff_t>(message_width), 0);
  for (const Worker& worker : workers) {
    for (const auto& [row, message] : worker.messages)
      DecodeUtf8(message, messages + row * static_cast<std::ptrdiff_t>(message_width));
  }
  return answer;
}

}  // namespace tarvel::python
