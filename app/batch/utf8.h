#pragma once

#include <string_view>

namespace tarvel::batch {

// Whether `text` is well-formed UTF-8: no stray or missing continuation bytes, no overlong forms,
// no surrogates, nothing above U+10FFFF. (A NUL byte is U+0000 and well formed.)
bool IsUtf8(std::string_view text);

}  // namespace tarvel::batch
