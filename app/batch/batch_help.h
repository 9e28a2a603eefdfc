#pragma once

#include <string_view>

namespace tarvel::batch {

// What tarvel-batch --help prints: the program, its options and its answer to every kind of bad
// input, in Chinese and then in English.
std::string_view HelpText();

}  // namespace tarvel::batch
