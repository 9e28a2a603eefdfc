#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

#include "app/batch/row_runner.h"

namespace tarvel::batch {

// A piece of the table on its way through the pipeline.
struct Block {
  std::string input;  // whole records
  std::int64_t first_line = 0;
  std::string output;  // their output rows
  RowCounts counts;
};

// The stages of a run. Each may throw; the first exception stops the run and is rethrown.
struct PipelineStages {
  // On the reading thread: fills block.input and block.first_line; false at the end.
  std::function<bool(Block&)> read;
  // Called from another thread when the run stops early, to end a read that waits for input.
  std::function<void()> stop_reading;
  // On worker thread `worker` (0 to workers - 1): fills block.output and block.counts.
  std::function<void(int worker, Block&)> work;
  // On the calling thread, in input order.
  std::function<void(const Block&)> write;
  // On the calling thread, about every `tick` while the run goes on (the progress display).
  std::function<void()> tick;
  std::chrono::milliseconds tick_interval{100};
};

// Reads blocks on one thread, works them on `workers` threads at once and writes them on the
// calling thread in the order they were read. At most a few blocks per worker are in flight, so
// memory stays bounded whatever the input's length.
void RunInOrder(int workers, const PipelineStages& stages);

}  // namespace tarvel::batch
