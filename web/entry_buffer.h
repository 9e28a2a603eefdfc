#pragma once

// The buffers through which the page hands the core a text: the page asks for one of the text's
// size in bytes, then writes the text into the core's memory there.

#include <cstddef>
#include <string>

namespace tarvel::web {

// `text` made `size` bytes long (none for a size below 1), its bytes for the page to write; valid
// until `text` changes.
inline char* TextBuffer(std::string& text, int size) {
  text.assign(size > 0 ? static_cast<std::size_t>(size) : 0, '\0');
  return text.data();
}

}  // namespace tarvel::web
