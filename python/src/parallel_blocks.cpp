#include "python/src/parallel_blocks.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

#include <pybind11/pybind11.h>

namespace tarvel::python {
namespace {

namespace py = pybind11;

// How often the waiting thread looks for a signal: well within the tenth of a second in which a
// person expects Ctrl-C to be answered, and rare enough to cost nothing.
constexpr std::chrono::milliseconds kSignalCheckInterval{10};

// The blocks, handed out one at a time, and how the threads that take them end.
class BlockQueue {
 public:
  BlockQueue(std::ptrdiff_t rows, const BlockWork& work)
      : rows_(rows), blocks_(BlockCount(rows)), work_(work) {}

  // Works blocks until none is left or the work stops.
  void Run(int worker) {
    try {
      for (std::ptrdiff_t block = next_++; block < blocks_ && !stopped_; block = next_++)
        work_(block * kRowsPerBlock, std::min(rows_, (block + 1) * kRowsPerBlock), worker);
    } catch (...) {
      Fail(std::current_exception());
    }
    const std::lock_guard lock(mutex_);
    ++ended_;
    ended_changed_.notify_all();
  }

  void Fail(std::exception_ptr error) {
    const std::lock_guard lock(mutex_);
    if (!error_)
      error_ = error;
    stopped_ = true;
  }

  void Stop() { stopped_ = true; }

  // Waits until `threads` threads have ended, calling `check` every interval meanwhile.
  template <typename Check>
  void AwaitEnd(std::size_t threads, Check check) {
    std::unique_lock lock(mutex_);
    while (
        !ended_changed_.wait_for(lock, kSignalCheckInterval, [&] { return ended_ == threads; })) {
      lock.unlock();
      check();
      lock.lock();
    }
  }

  std::exception_ptr Error() const { return error_; }

 private:
  const std::ptrdiff_t rows_;
  const std::ptrdiff_t blocks_;
  const BlockWork& work_;
  std::atomic<std::ptrdiff_t> next_{0};
  std::atomic<bool> stopped_{false};
  std::mutex mutex_;
  std::condition_variable ended_changed_;
  std::size_t ended_ = 0;
  std::exception_ptr error_;
};

}  // namespace

std::ptrdiff_t BlockCount(std::ptrdiff_t rows) {
  return (rows + kRowsPerBlock - 1) / kRowsPerBlock;
}

void ForEachBlock(std::ptrdiff_t rows, int workers, const BlockWork& work) {
  if (rows <= 0)
    return;
  if (BlockCount(rows) == 1) {
    const py::gil_scoped_release unlocked;
    work(0, rows, 0);
    return;
  }
  BlockQueue queue(rows, work);
  bool interrupted = false;
  {
    const py::gil_scoped_release unlocked;
    std::vector<std::thread> pool;
    try {
      for (int worker = 0; worker < workers; ++worker)
        pool.emplace_back([&queue, worker] { queue.Run(worker); });
    } catch (...) {  // no thread to be had: those that started stop, and it is reported
      queue.Fail(std::current_exception());
    }
    queue.AwaitEnd(pool.size(), [&] {
      if (interrupted)
        return;
      const py::gil_scoped_acquire locked;
      if (PyErr_CheckSignals() != 0) {  // the handler's exception stays set on this thread
        interrupted = true;
        queue.Stop();
      }
    });
    for (std::thread& thread : pool)
      thread.join();
  }
  if (interrupted)
    throw py::error_already_set();
  if (const std::exception_ptr error = queue.Error())
    std::rethrow_exception(error);
}

}  // namespace tarvel::python
