#include "python/src/array_calculation.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>

#include "panel/number_text.h"
#include "python/src/deferred_texts.h"
#include "python/src/parallel_blocks.h"
#include "python/src/row_answer.h"
#include "python/src/strided_rows.h"
#include "python/src/text_array.h"
#include "python/src/unicode_text.h"

namespace tarvel::python {
namespace {

constexpr int kPressure = FieldIndex(AirField::Pressure);

// What one thread keeps while it answers its blocks.
struct Worker {
  RowAnswer answer;
  std::array<TextScratch, kFieldCount> scratch;
  std::size_t widest_message = 0;
  std::vector<std::pair<std::ptrdiff_t, std::string>> messages;  // (row, message), rows with one
};

// The arguments and the shape they are broadcast to.
class Rows {
 public:
  Rows(const std::vector<ArgumentColumn>& columns, const std::vector<std::ptrdiff_t>& shape,
       const std::optional<std::string>& pressure_fallback, const double* values,
       std::ptrdiff_t count)
      : columns_(columns),
        shape_(shape),
        fallback_(pressure_fallback),
        values_(values),
        count_(count) {
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

  // Field f's text after the command at the cursor, made again: the text typed, when the field
  // kept it, else the text written, in `number`.
  std::string_view Remade(int f, bool kept, const StridedRows<kFieldCount>& at, std::ptrdiff_t row,
                          TextScratch& scratch, char* number) const {
    if (kept)
      return Typed(f, at, scratch);
    return {number, FormatNumber(values_[f * count_ + row], number)};
  }

 private:
  const std::vector<ArgumentColumn>& columns_;
  const std::vector<std::ptrdiff_t>& shape_;
  const std::optional<std::string>& fallback_;
  const double* values_;
  const std::ptrdiff_t count_;
  std::array<const std::vector<std::ptrdiff_t>*, kFieldCount> strides_{};
};

// The sources of the texts of fields that keep their typed text, when every one follows from the
// row's value (float arrays and scalars, see DeferredTexts); empty when one does not.
std::vector<KeptTextSource> DeferrableSources(const std::vector<ArgumentColumn>& columns,
                                              int fields,
                                              const std::optional<std::string>& fallback) {
  std::vector<KeptTextSource> sources;
  if (fields != kParameterCount || fallback)
    return sources;
  for (int f = 0; f < fields; ++f) {
    if (const std::string* same = columns[f].SameText())
      sources.push_back({false, *same});
    else if (columns[f].HoldsFloats())
      sources.push_back({true, {}});
    else
      return {};
  }
  return sources;
}

}  // namespace

ArrayAnswer CalculateArrays(const std::vector<ArgumentColumn>& columns,
                            const std::vector<std::ptrdiff_t>& shape, int fields,
                            const std::optional<std::string>& pressure_fallback, int threads,
                            bool make_texts) {
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
  std::vector<std::uint8_t> kept(static_cast<std::size_t>(count));  // bit f: field f kept its text
  const Rows rows(columns, shape, pressure_fallback, values, count);
  std::vector<Worker> workers(static_cast<std::size_t>(std::max(threads, 1)));
  // The texts are made now only where the values do not determine them.
  std::vector<KeptTextSource> sources;
  if (make_texts)
    sources = DeferrableSources(columns, fields, pressure_fallback);
  std::optional<TextArrayWriter> writer;
  if (make_texts && sources.empty())
    writer.emplace(text_shape, threads);

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
        std::uint8_t flags = 0;
        for (int f = 0; f < fields; ++f) {
          const auto field = static_cast<AirField>(f);
          const std::string_view text = worker.answer.Text(field);
          const bool same = text == typed[f];
          flags |= static_cast<std::uint8_t>(same << f);
          values[f * count + row] = same ? rows.KeptValue(f, at, text) : worker.answer.Value(field);
          if (writer)
            writer->Write(w, row, f, text);
        }
        kept[row] = flags;
        inputs[row] = static_cast<std::uint8_t>(worker.answer.Inputs());
        if (const std::string& message = worker.answer.Message(); !message.empty()) {
          worker.widest_message = std::max(worker.widest_message, CodePointCount(message));
          worker.messages.emplace_back(row, message);
        }
      }
    });
  }

  if (writer) {
    // Each text again, from the text typed where the field kept it, else from the value.
    answer.texts = writer->Finish(
        count, threads,
        [&](std::ptrdiff_t begin, std::ptrdiff_t end, int w, const TextEmitter& emit) {
          char number[kNumberTextCapacity];
          StridedRows<kFieldCount> at = rows.From(begin);
          for (std::ptrdiff_t row = begin; row < end; ++row, at.Next()) {
            for (int f = 0; f < fields; ++f) {
              const bool typed = (kept[row] >> f) & 1;
              emit(row, f, rows.Remade(f, typed, at, row, workers[w].scratch[f], number));
            }
          }
        });
  } else if (make_texts) {
    answer.deferred.emplace(answer.values, std::move(kept), std::move(sources),
                            std::move(text_shape), threads);
  }

  std::size_t widest_message = 0;
  for (const Worker& worker : workers)
    widest_message = std::max(widest_message, worker.widest_message);
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
