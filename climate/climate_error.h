#pragma once

#include <stdexcept>

namespace tarvel::climate {

// A weather file, or a request about one, that cannot be read as asked: what() is the line the
// user reads, in Chinese. Nothing of the file is used then.
class ClimateError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace tarvel::climate
