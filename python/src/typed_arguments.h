#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <pybind11/pybind11.h>

#include "panel/air_field.h"
#include "python/src/argument_column.h"
#include "python/src/broadcast_rows.h"
#include "python/src/field_texts.h"
#include "python/src/row_answer.h"

namespace tarvel::python {

namespace py = pybind11;

// The seven arguments of a calculation (by FieldIndex, the pressure last), scalars and arrays
// broadcast together: what is typed into the fields in each row. Made with the GIL held.
class TypedArguments {
 public:
  // `pressure_fallback` is typed into the pressure field of a row whose own pressure is empty.
  TypedArguments(const std::vector<py::object>& arguments, const std::vector<std::string>& names,
                 std::optional<std::string> pressure_fallback);

  BroadcastRows& Rows() { return rows_; }

  // The text typed into field f in the cursor's row.
  std::string_view Typed(int f, const BroadcastRows::Cursor& at, TextScratch& scratch) const {
    double number;
    return Typed(f, at, scratch, number);
  }
  // The same, and in `number` the double the text reads back as exactly, where there is one
  // (ArgumentColumn::Text); NaN elsewhere.
  std::string_view Typed(int f, const BroadcastRows::Cursor& at, TextScratch& scratch,
                         double& number) const;

  // The cursor's row as it is typed, its texts in `scratch`.
  void Type(const BroadcastRows::Cursor& at, std::array<TextScratch, kFieldCount>& scratch,
            TypedRow& row) const;

  // How the text typed into field f follows from the row's value, where it does (float arrays
  // and scalars); none where only the argument's element gives it again.
  std::optional<KeptTextSource> KeptSource(int f) const;

 private:
  std::vector<ArgumentColumn> columns_;
  std::array<int, kFieldCount> array_of_{};  // field → its array among the rows', or −1
  std::optional<std::string> fallback_;
  BroadcastRows rows_;
};

}  // namespace tarvel::python
