#include "python/src/deferred_texts.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "panel/number_text.h"
#include "python/src/text_array.h"

namespace tarvel::python {

DeferredTexts::DeferredTexts(py::array values, std::vector<std::uint8_t> kept,
                             std::vector<KeptTextSource> sources,
                             std::vector<py::ssize_t> text_shape, int threads)
    : values_(std::move(values)),
      kept_(std::move(kept)),
      sources_(std::move(sources)),
      text_shape_(std::move(text_shape)),
      rows_(static_cast<std::ptrdiff_t>(kept_.size())),
      threads_(threads) {}

py::array DeferredTexts::Make() const {
  const auto* values = static_cast<const double*>(values_.data());
  const int fields = static_cast<int>(sources_.size());
  return MakeTextArray(
      text_shape_, rows_, threads_,
      [&](std::ptrdiff_t begin, std::ptrdiff_t end, int, const TextEmitter& emit) {
        char number[std::max(kNumberTextCapacity, kRoundTripTextCapacity)];
        for (std::ptrdiff_t row = begin; row < end; ++row) {
          for (int f = 0; f < fields; ++f) {
            const double value = values[f * rows_ + row];
            const KeptTextSource& source = sources_[static_cast<std::size_t>(f)];
            std::string_view text;
            if (!((kept_[static_cast<std::size_t>(row)] >> f) & 1))
              text = std::isnan(value) ? "" : std::string_view(number, FormatNumber(value, number));
            else if (!source.per_row)
              text = source.text;
            else if (!std::isnan(value))
              text = {number, RoundTripText(value, number)};
            emit(row, f, text);
          }
        }
      });
}

}  // namespace tarvel::python
