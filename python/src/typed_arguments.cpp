#include "python/src/typed_arguments.h"

#include <utility>

namespace tarvel::python {
namespace {

constexpr int kPressure = FieldIndex(AirField::Pressure);

std::vector<ArgumentColumn> Columns(const std::vector<py::object>& arguments,
                                    const std::vector<std::string>& names) {
  if (arguments.size() != kFieldCount || names.size() != kFieldCount)
    throw py::value_error("seven arguments and their names are needed");
  std::vector<ArgumentColumn> columns;
  for (int f = 0; f < kFieldCount; ++f)
    columns.emplace_back(arguments[f], names[f]);
  return columns;
}

std::vector<py::array> Arrays(const std::vector<ArgumentColumn>& columns) {
  std::vector<py::array> arrays;
  for (const ArgumentColumn& column : columns) {
    if (column.Array())
      arrays.push_back(*column.Array());
  }
  return arrays;
}

std::vector<std::string> ArrayNames(const std::vector<ArgumentColumn>& columns,
                                    const std::vector<std::string>& names) {
  std::vector<std::string> named;
  for (std::size_t f = 0; f < columns.size(); ++f) {
    if (columns[f].Array())
      named.push_back(names[f]);
  }
  return named;
}

}  // namespace

TypedArguments::TypedArguments(const std::vector<py::object>& arguments,
                               const std::vector<std::string>& names,
                               std::optional<std::string> pressure_fallback)
    : columns_(Columns(arguments, names)),
      fallback_(std::move(pressure_fallback)),
      rows_(Arrays(columns_), ArrayNames(columns_, names)) {
  int next = 0;
  for (int f = 0; f < kFieldCount; ++f)
    array_of_[f] = columns_[f].Array() ? next++ : -1;
}

std::string_view TypedArguments::Typed(int f, const BroadcastRows::Cursor& at, TextScratch& scratch,
                                       double& number) const {
  const char* element =
      array_of_[f] >= 0 ? at.Element(static_cast<std::size_t>(array_of_[f])) : nullptr;
  const std::string_view text = columns_[f].Text(element, scratch, number);
  // The fallback is a text: the number stays NaN.
  return f == kPressure && text.empty() && fallback_ ? std::string_view(*fallback_) : text;
}

void TypedArguments::Type(const BroadcastRows::Cursor& at,
                          std::array<TextScratch, kFieldCount>& scratch, TypedRow& row) const {
  for (int f = 0; f < kFieldCount; ++f)
    row.texts[f] = Typed(f, at, scratch[f], row.numbers[f]);
}

std::optional<KeptTextSource> TypedArguments::KeptSource(int f) const {
  if (f == kPressure && fallback_)
    return std::nullopt;  // an empty cell is typed as the fallback, which its value may not give
  if (const std::string* same = columns_[f].SameText())
    return KeptTextSource{false, *same};
  if (columns_[f].HoldsFloats())
    return KeptTextSource{true, {}};
  return std::nullopt;
}

}  // namespace tarvel::python
