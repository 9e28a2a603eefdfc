#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tarvel::batch {

// The table's source: a file or standard input.
class InputFile {
 public:
  // "-" is standard input. Throws BatchError when the file cannot be opened or is a directory.
  explicit InputFile(const std::string& path);
  ~InputFile();
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  int Descriptor() const { return fd_; }
  // The bytes left to read when the input is a regular file, or -1.
  std::int64_t KnownSize() const { return size_; }

 private:
  int fd_;
  bool owned_;
  std::int64_t size_ = -1;
};

// Appends to `buffer` what one read of at most `count` bytes from `fd` gives, retrying when a
// signal interrupts it, and returns the number of bytes (0 at the end of the input). Throws
// BatchError when reading fails.
std::size_t ReadAppend(int fd, std::string& buffer, std::size_t count);

}  // namespace tarvel::batch
