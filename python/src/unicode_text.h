#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tarvel::python {

// Field texts are UTF-8; Python's str and NumPy's str arrays hold code points. A str may hold lone
// surrogates (as the window's UTF-16 text may), which travel both ways as their three-byte
// encodings, as Python's "surrogatepass" error handler writes them, so that every str is typed
// into a field and comes back unchanged.

// Appends the UTF-8 of `count` code points. Throws std::invalid_argument for a value above
// U+10FFFF, which no str can hold.
void AppendUtf8(const std::uint32_t* code_points, std::size_t count, std::string& out);

// How many code points UTF-8 text (as AppendUtf8 or Python writes it) holds.
std::size_t CodePointCount(std::string_view utf8);

// Writes the code points of UTF-8 text (as AppendUtf8 or Python writes it) to `out`, which has
// room for CodePointCount of them, and returns how many it wrote.
std::size_t DecodeUtf8(std::string_view utf8, std::uint32_t* out);

}  // namespace tarvel::python
