// The node replay's entry to the core: the very ReplayLine of tarvel-replay, compiled to
// WebAssembly. replay_driver.js splits standard input into lines as tarvel-replay does and hands
// each one over as raw bytes, so the two programs answer every line alike.
#include <emscripten/emscripten.h>

#include <string>

#include "app/replay_session.h"

namespace {

std::string line;
std::string answer;

}  // namespace

extern "C" {

// A buffer of `size` bytes into which the driver writes one input line (without its line end).
EMSCRIPTEN_KEEPALIVE char* tarvel_line_buffer(int size) {
  line.assign(size > 0 ? static_cast<std::size_t>(size) : 0, '\0');
  return line.data();
}

// Answers the line in the buffer; the answer (without a line end) stays valid until the next call.
EMSCRIPTEN_KEEPALIVE const char* tarvel_replay_line() {
  answer = tarvel::ReplayLine(line);
  return answer.data();
}

EMSCRIPTEN_KEEPALIVE int tarvel_answer_size() {
  return static_cast<int>(answer.size());
}

}  // extern "C"
