#include "python/src/array_calculation.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "panel/number_text.h"
#include "python/src/parallel_blocks.h"
#include "python/src/row_answer.h"
#include "python/src/text_array.h"
#include "python/src/thread_count.h"
#include "python/src/unicode_text.h"

namespace tarvel::python {
namespace {

// What one thread keeps while it answers its blocks.
struct Worker {
  RowAnswer answer;
  TypedRow row;
  std::array<TextScratch, kFieldCount> scratch;
  std::size_t widest_message = 0;
  std::vector<std::pair<std::ptrdiff_t, std::string>> messages;  // (row, message), rows with one
};

// The sources of the kept texts of the first `fields` fields, when every one follows from the
// row's value; empty when one does not.
std::vector<KeptTextSource> DeferrableSources(const TypedArguments& arguments, int fields) {
  std::vector<KeptTextSource> sources;
  for (int f = 0; f < fields; ++f) {
    std::optional<KeptTextSource> source = arguments.KeptSource(f);
    if (!source)
      return {};
    sources.push_back(std::move(*source));
  }
  return sources;
}

// The messages as a str array of the shape, as wide as the widest.
py::array MessageArray(const std::vector<Worker>& workers, const std::vector<py::ssize_t>& shape,
                       std::ptrdiff_t count) {
  std::size_t widest = 0;
  for (const Worker& worker : workers)
    widest = std::max(widest, worker.widest_message);
  py::array messages(StrType(widest), shape);
  auto* slots = static_cast<std::uint32_t*>(messages.mutable_data());
  const auto width = static_cast<std::ptrdiff_t>(std::max<std::size_t>(widest, 1));
  std::fill(slots, slots + count * width, 0);
  for (const Worker& worker : workers) {
    for (const auto& [row, message] : worker.messages)
      DecodeUtf8(message, slots + row * width);
  }
  return messages;
}

}  // namespace

ArrayAnswer CalculateArrays(TypedArguments& arguments, int fields, int threads, bool make_texts) {
  BroadcastRows& rows = arguments.Rows();
  const std::vector<py::ssize_t>& shape = rows.Shape();
  const std::ptrdiff_t count = rows.Count();
  const int workers = WorkerCount(count, threads);
  rows.MakeCursors(workers);
  std::vector<py::ssize_t> value_shape{fields};
  value_shape.insert(value_shape.end(), shape.begin(), shape.end());
  std::vector<py::ssize_t> text_shape(shape.begin(), shape.end());
  text_shape.push_back(fields);

  ArrayAnswer answer;
  answer.values = py::array_t<double>(value_shape);
  answer.inputs = py::array_t<std::uint8_t>(shape);
  double* values = static_cast<double*>(answer.values.mutable_data());
  auto* inputs = static_cast<std::uint8_t*>(answer.inputs.mutable_data());
  std::vector<std::uint8_t> kept(static_cast<std::size_t>(count));  // bit f: field f kept its text
  std::vector<Worker> state(static_cast<std::size_t>(workers));

  ForEachBlock(count, workers, [&](std::ptrdiff_t begin, std::ptrdiff_t end, int w) {
    Worker& worker = state[static_cast<std::size_t>(w)];
    BroadcastRows::Cursor& at = rows.CursorOf(w);
    at.Start(begin, end);
    for (std::ptrdiff_t row = begin; row < end; ++row, at.Next()) {
      arguments.Type(at, worker.scratch, worker.row);
      kept[static_cast<std::size_t>(row)] =
          worker.answer.Calculate(worker.row, fields, values + row, count);
      inputs[row] = static_cast<std::uint8_t>(worker.answer.Inputs());
      if (const std::string& message = worker.answer.Message(); !message.empty()) {
        worker.widest_message = std::max(worker.widest_message, CodePointCount(message));
        worker.messages.emplace_back(row, message);
      }
    }
  });
  answer.messages = MessageArray(state, shape, count);
  if (!make_texts)
    return answer;

  std::vector<KeptTextSource> sources = DeferrableSources(arguments, fields);
  if (!sources.empty()) {
    answer.deferred.emplace(answer.values, std::move(kept), std::move(sources),
                            std::move(text_shape), workers);
    return answer;
  }
  // A typed text that only the argument gives again (str, int and object arrays): made now,
  // while the arguments are at hand.
  answer.texts = MakeTextArray(
      text_shape, count, workers,
      [&](std::ptrdiff_t begin, std::ptrdiff_t end, int w, const TextEmitter& emit) {
        char number[kNumberTextCapacity];
        Worker& worker = state[static_cast<std::size_t>(w)];
        BroadcastRows::Cursor& at = rows.CursorOf(w);
        at.Start(begin, end);
        for (std::ptrdiff_t row = begin; row < end; ++row, at.Next()) {
          const auto typed = [&](int f) { return arguments.Typed(f, at, worker.scratch[f]); };
          EmitRowTexts(row, fields, kept[static_cast<std::size_t>(row)], values + row, count, typed,
                       number, emit);
        }
      });
  return answer;
}

}  // namespace tarvel::python
