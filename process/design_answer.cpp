#include "process/design_answer.h"

#include "panel/number_text.h"

namespace tarvel::process {

const std::string& FieldText(const PointAnswer& state, AirField field) {
  return state.fields[FieldIndex(field)];
}

double FieldValue(const PointAnswer& state, AirField field) {
  return ParseNumber(FieldText(state, field));
}

std::optional<double> WrittenValue(const PointAnswer& state, AirField field) {
  if (FieldText(state, field).empty())
    return std::nullopt;
  return FieldValue(state, field);
}

}  // namespace tarvel::process
