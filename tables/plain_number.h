#pragma once

#include <string_view>

namespace tarvel::tables {

// Whether `text` is a plain decimal number: a sign, digits with at most one '.', an exponent. A
// pressure given for a whole table must be one, since a slip there would spoil every row.
bool IsPlainNumber(std::string_view text);

}  // namespace tarvel::tables
