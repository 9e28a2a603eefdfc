#pragma once

#include <stdexcept>

namespace tarvel::batch {

// The one failure that ends a batch run: a usage error or an input/output error. what() is the
// line the user reads, in Chinese, without the program's name.
class BatchError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace tarvel::batch
