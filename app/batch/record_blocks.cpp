#include "app/batch/record_blocks.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>

#include "app/batch/batch_error.h"
#include "app/batch/input_file.h"
#include "app/batch/system_error_text.h"

namespace tarvel::batch {

RecordBlockReader::RecordBlockReader(int fd, char separator, std::string pending,
                                     std::int64_t first_line, BlockSizes sizes)
    : fd_(fd),
      sizes_(sizes),
      stop_fd_(eventfd(0, EFD_CLOEXEC)),
      boundaries_(separator),
      pending_(std::move(pending)),
      next_line_(first_line) {
  if (stop_fd_ < 0)
    throw BatchError("无法准备读取输入：" + SystemErrorText(errno));
  // The bytes already read are scanned now, so that the scan always stands at pending_'s end.
  if (const std::size_t end = boundaries_.Scan(pending_); end != std::string::npos)
    scanned_whole_ = end;
}

RecordBlockReader::~RecordBlockReader() {
  close(stop_fd_);
}

void RecordBlockReader::Stop() {
  stopped_ = true;
  const std::uint64_t one = 1;
  [[maybe_unused]] const ssize_t written = write(stop_fd_, &one, sizeof one);
}

bool RecordBlockReader::ReadMore(std::string& buffer, std::size_t count) {
  // Waits for input or for Stop(), whichever comes first: a pipe may stay silent for long.
  for (;;) {
    if (stopped_)
      return false;
    pollfd waits[2] = {{fd_, POLLIN, 0}, {stop_fd_, POLLIN, 0}};
    if (poll(waits, 2, -1) >= 0)
      break;
    if (errno != EINTR)
      throw BatchError("读取输入时出错：" + SystemErrorText(errno));
  }
  return !stopped_ && ReadAppend(fd_, buffer, count) > 0;
}

bool RecordBlockReader::Next(std::string& records, std::int64_t& first_line) {
  records.swap(pending_);
  pending_.clear();
  std::size_t whole = scanned_whole_;  // records[0, whole) are whole records
  scanned_whole_ = 0;
  while (!at_end_ && (whole == 0 || records.size() < sizes_.block_bytes)) {
    const std::size_t before = records.size();
    if (!ReadMore(records, sizes_.read_bytes)) {
      if (stopped_)
        return false;
      at_end_ = true;
      break;
    }
    const std::size_t end = boundaries_.Scan(std::string_view(records).substr(before));
    if (end != std::string::npos)
      whole = before + end;
    if (records.size() - whole > kMaxRecordBytes) {
      const std::int64_t line =
          next_line_ + std::count(records.begin(), records.begin() + whole, '\n');
      throw BatchError("第" + std::to_string(line) + "行起的一行超过 32 MiB" +
                       (boundaries_.InsideQuotes() ? "（也许是引号没有闭合）" : "") + "，无法读取");
    }
  }
  if (!at_end_) {
    pending_.assign(records, whole, std::string::npos);
    records.resize(whole);
  }
  if (records.empty())
    return false;
  first_line = next_line_;
  next_line_ += std::count(records.begin(), records.end(), '\n');
  return true;
}

}  // namespace tarvel::batch
