#pragma once

#include <chrono>
#include <cstdint>
#include <string>

#include "app/batch/row_runner.h"

namespace tarvel::batch {

// The line that shows a run's progress: rows done and rows a second, and for an input of known
// size the share done and the time left. `total_bytes` is negative when the size is unknown.
std::string ProgressText(std::int64_t rows, double seconds, std::int64_t done_bytes,
                         std::int64_t total_bytes);

// The one line that sums up a run: rows answered, how many with a message, and any not read.
std::string SummaryText(const RowCounts& counts);

// Tells the user on standard error how a run goes. In place (a terminal that the output does
// not go to), the progress line is redrawn about ten times a second and replaced by the summary
// at the end; otherwise only the summary is written, once.
class Progress {
 public:
  // `done_bytes`: the input taken before the first row (the header).
  Progress(bool in_place, std::int64_t total_bytes, std::int64_t done_bytes);

  void Add(const RowCounts& counts, std::size_t input_bytes);
  // Redraws the progress line (in place only).
  void Tick();
  // Writes the summary line.
  void Finish();
  // Clears the progress line before another message (in place only).
  void Clear();

  const RowCounts& Counts() const { return counts_; }

 private:
  void Show(const std::string& text);

  bool in_place_;
  std::int64_t total_bytes_;
  std::int64_t done_bytes_;
  RowCounts counts_;
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
  bool drawn_ = false;
};

}  // namespace tarvel::batch
