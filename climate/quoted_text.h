#pragma once

#include <string>
#include <string_view>

namespace tarvel::climate {

// Whether `text` is UTF-8: each byte above 0x7F in a well-formed sequence of two to four.
bool IsUtf8(std::string_view text);

// A piece of the file as a message quotes it, between “ and ”: at most `most` characters of it
// (and "…" after them), each control character (a line break, a tab, …) and each byte that is not
// part of valid UTF-8 as U+FFFD, so that a message is always one line of text, whatever the file
// holds.
std::string Quoted(std::string_view text, std::size_t most = 40);

}  // namespace tarvel::climate
