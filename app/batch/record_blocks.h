#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/batch/csv_record.h"

namespace tarvel::batch {

// The longest record the program holds. A longer one (most likely a quote that is never closed)
// ends the run: holding it would break the bound on memory.
inline constexpr std::size_t kMaxRecordBytes = 32u << 20;

// How much a block of records holds (unless one record is longer), and how much one read asks for.
struct BlockSizes {
  std::size_t block_bytes = 256u << 10;
  std::size_t read_bytes = 256u << 10;
};

// Reads a file descriptor in large pieces and cuts what it reads into blocks of whole records,
// of about a given size (one record may make a larger block). Used by one thread; Stop() may be
// called from any other.
class RecordBlockReader {
 public:
  // `pending` holds bytes already read from `fd` (after the header), which start a record on
  // input line `first_line`.
  RecordBlockReader(int fd, char separator, std::string pending, std::int64_t first_line,
                    BlockSizes sizes = {});
  ~RecordBlockReader();
  RecordBlockReader(const RecordBlockReader&) = delete;
  RecordBlockReader& operator=(const RecordBlockReader&) = delete;

  // Replaces `records` with the next block and sets `first_line` to the input line its first
  // record starts on. Returns false at the end of the input, or after Stop(). Throws BatchError
  // when reading fails or a record exceeds kMaxRecordBytes.
  bool Next(std::string& records, std::int64_t& first_line);

  // Makes a Next() that waits for input, or any later one, return false.
  void Stop();

 private:
  // Appends up to `count` bytes from the input to `buffer`; false at its end or after Stop().
  bool ReadMore(std::string& buffer, std::size_t count);

  int fd_;
  BlockSizes sizes_;
  int stop_fd_;  // an eventfd that Stop() makes readable
  RecordBoundaries boundaries_;
  std::string pending_;            // bytes read and scanned but not yet handed out
  std::size_t scanned_whole_ = 0;  // pending_ begins with this many bytes of whole records
  std::int64_t next_line_;
  bool at_end_ = false;
  std::atomic<bool> stopped_{false};
};

}  // namespace tarvel::batch
