#pragma once

#include <optional>

#include <pybind11/numpy.h>

#include "python/src/field_texts.h"
#include "python/src/typed_arguments.h"

namespace tarvel::python {

// The answers of every row of an array calculation.
struct ArrayAnswer {
  py::array values;  // float64 (fields, *shape): each field's text as the window reads it, NaN
                     // where the field is empty
  py::array texts;   // str (*shape, fields): the fields' texts after the command, or none when
  std::optional<DeferredTexts> deferred;  // they are made only when asked for
  py::array messages;  // str (*shape): the messages each command showed, joined; "" for none
  py::array inputs;    // uint8 (*shape): the code of the two fields each command took, or 0
};

// Answers each row of the arguments' broadcast shape with RowAnswer. `fields` is 6 (the
// parameters) or 7 (the pressure too, for tables). Releases the GIL while it works, on up to
// `threads` threads (WorkerCount); every row's answer is the same whatever their number.
//
// The texts are a str array (text_array.h). Where every field's texts follow from its values
// (float arrays and scalars, TypedArguments::KeptSource), they are made only when asked for:
// `deferred` holds what makes them, and `texts` is empty. Without `make_texts` (a caller that
// reads only the values and messages) neither is made.
ArrayAnswer CalculateArrays(TypedArguments& arguments, int fields, int threads, bool make_texts);

}  // namespace tarvel::python
