#pragma once

#include <optional>
#include <string>

namespace tarvel::batch {

// What the command line asks for.
struct BatchOptions {
  enum class Request { Run, Help, Version };
  Request request = Request::Run;
  std::string input = "-";   // "-": standard input
  std::string output = "-";  // "-": standard output
  std::optional<std::string> pressure;
};

// Reads tarvel-batch [--pressure KPA] [-o OUTPUT] [INPUT] (also --output, --opt=value, and "--"
// before an INPUT that begins with "-"). Throws BatchError on an unknown or repeated option, a
// missing value, a second INPUT, or a pressure that is not a number.
BatchOptions ParseCommandLine(int argc, const char* const* argv);

}  // namespace tarvel::batch
