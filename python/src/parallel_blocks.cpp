#include "python/src/parallel_blocks.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace tarvel::python {

void ForEachBlock(std::ptrdiff_t rows, int threads,
                  const std::function<void(std::ptrdiff_t, std::ptrdiff_t, int)>& work) {
  const std::ptrdiff_t blocks = (rows + kRowsPerBlock - 1) / kRowsPerBlock;
  const int count = static_cast<int>(std::min<std::ptrdiff_t>(threads, blocks));
  std::atomic<std::ptrdiff_t> next{0};
  std::atomic<bool> failed{false};
  std::exception_ptr error;
  std::mutex error_mutex;
  const auto fail = [&](std::exception_ptr e) {
    const std::lock_guard lock(error_mutex);
    if (!error)
      error = e;
    failed = true;
  };
  const auto run = [&](int worker) {
    try {
      for (std::ptrdiff_t block = next++; block < blocks && !failed; block = next++)
        work(block * kRowsPerBlock, std::min(rows, (block + 1) * kRowsPerBlock), worker);
    } catch (...) {
      fail(std::current_exception());
    }
  };
  std::vector<std::thread> pool;
  try {
    for (int worker = 1; worker < count; ++worker)
      pool.emplace_back(run, worker);
  } catch (...) {  // no thread to be had: the threads that started stop, and it is reported
    fail(std::current_exception());
  }
  if (count > 0)
    run(0);
  for (std::thread& thread : pool)
    thread.join();
  if (error)
    std::rethrow_exception(error);
}

}  // namespace tarvel::python
