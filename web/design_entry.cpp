// The web page's entry to designs of air conditioning: the page writes a design request (one line
// of JSON) into the core's memory and reads back its answer, computed by the very function that
// tarvel-replay calls (process/design_line.h), so that the page shows the same states, digits and
// messages.
#include <emscripten/emscripten.h>

#include <string>

#include "process/design_line.h"

namespace {

std::string request;
std::string answer;

}  // namespace

extern "C" {

// A buffer of `size` bytes into which the page writes the UTF-8 text of a design request.
EMSCRIPTEN_KEEPALIVE char* tarvel_design_buffer(int size) {
  request.assign(size > 0 ? static_cast<std::size_t>(size) : 0, '\0');
  return request.data();
}

// Answers the request in the buffer; the answer, one line of JSON (UTF-8, no line end), stays
// valid until the next call.
EMSCRIPTEN_KEEPALIVE const char* tarvel_design() {
  answer = tarvel::process::DesignAnswerLine(request);
  return answer.data();
}

// The answer's length in bytes.
EMSCRIPTEN_KEEPALIVE int tarvel_design_size() {
  return static_cast<int>(answer.size());
}

}  // extern "C"
