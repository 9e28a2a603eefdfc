#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tarvel::process {

// JSON text in which every \u escape of a lone surrogate — half of a UTF-16 pair without its
// other half, which JavaScript, Python and Qt strings can hold and their JSON writers write so —
// is replaced by "?", the character the window hands the core for it (Qt writes a lone surrogate
// as "?" in UTF-8). A JSON reader refuses such an escape; with this a request is read as
// the window and the page would. Nothing when the text holds no lone surrogate. Text that is no
// JSON is rewritten only inside what would be its strings, and stays no JSON.
std::optional<std::string> LoneSurrogatesAsQuestionMarks(std::string_view json_text);

}  // namespace tarvel::process
