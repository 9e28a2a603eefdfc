#pragma once

#include <stdexcept>

namespace tarvel::tables {

// A table that cannot be read as asked: what() is the line the user reads, in Chinese.
class TableError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace tarvel::tables
