#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tarvel::climate_app {

// The columns a terminal gives a text: two for each wide character (CJK ideographs, fullwidth
// forms), one for any other.
int DisplayWidth(std::string_view text);

// Rows of cells laid out in columns, each as wide as its widest cell, two blanks apart, each row
// indented by `indent` blanks and ended by a line feed. Cells after the last of a short row are
// left out; trailing blanks are not written.
std::string ColumnsText(const std::vector<std::vector<std::string>>& rows, int indent);

}  // namespace tarvel::climate_app
