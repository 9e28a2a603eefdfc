#include "python/src/field_texts.h"

#include <algorithm>
#include <cmath>

#include "panel/number_text.h"

namespace tarvel::python {

std::string_view WrittenText(double value, char* number) {
  if (std::isnan(value))
    return {};
  return {number, FormatNumber(value, number)};
}

DeferredTexts::DeferredTexts(py::array values, std::vector<std::uint8_t> kept,
                             std::vector<KeptTextSource> sources,
                             std::vector<py::ssize_t> text_shape, int workers)
    : values_(std::move(values)),
      kept_(std::move(kept)),
      sources_(std::move(sources)),
      text_shape_(std::move(text_shape)),
      rows_(static_cast<std::ptrdiff_t>(kept_.size())),
      workers_(workers) {}

py::array DeferredTexts::Make() const {
  const auto* values = static_cast<const double*>(values_.data());
  const int fields = static_cast<int>(sources_.size());
  return MakeTextArray(text_shape_, rows_, workers_,
                       [&](std::ptrdiff_t begin, std::ptrdiff_t end, int, const TextEmitter& emit) {
                         char number[std::max(kNumberTextCapacity, kRoundTripTextCapacity)];
                         for (std::ptrdiff_t row = begin; row < end; ++row) {
                           const auto typed = [&](int f) -> std::string_view {
                             const KeptTextSource& source = sources_[static_cast<std::size_t>(f)];
                             const double value = values[f * rows_ + row];
                             if (!source.per_row)
                               return source.text;
                             if (std::isnan(value))
                               return {};
                             return {number, RoundTripText(value, number)};
                           };
                           EmitRowTexts(row, fields, kept_[static_cast<std::size_t>(row)],
                                        values + row, rows_, typed, number, emit);
                         }
                       });
}

}  // namespace tarvel::python
