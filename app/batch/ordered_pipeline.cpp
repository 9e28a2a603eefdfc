#include "app/batch/ordered_pipeline.h"

#include <condition_variable>
#include <deque>
#include <exception>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace tarvel::batch {
namespace {

// The blocks and their queues, under one lock: blocks are large, so the lock is taken a few
// thousand times a second at most.
class Queues {
 public:
  explicit Queues(std::size_t blocks) : storage_(blocks) {
    for (Block& block : storage_)
      free_.push_back(&block);
  }

  // Reader: a free block, or nullptr once the run stops.
  Block* TakeFree() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return stopped_ || !free_.empty(); });
    if (stopped_)
      return nullptr;
    Block* block = free_.front();
    free_.pop_front();
    return block;
  }
  void GiveToWork(Block* block) {
    std::lock_guard lock(mutex_);
    to_work_.push_back({read_count_++, block});
    changed_.notify_all();
  }
  void EndOfInput() {
    std::lock_guard lock(mutex_);
    input_ended_ = true;
    changed_.notify_all();
  }

  // Worker: the next block to work and its number, or nullptr when there is none left.
  Block* TakeWork(std::int64_t& number) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return stopped_ || input_ended_ || !to_work_.empty(); });
    if (stopped_ || to_work_.empty())
      return nullptr;
    number = to_work_.front().first;
    Block* block = to_work_.front().second;
    to_work_.pop_front();
    return block;
  }
  void Done(std::int64_t number, Block* block) {
    std::lock_guard lock(mutex_);
    done_[number] = block;
    changed_.notify_all();
  }

  // Writer: the next block in input order, nullptr when all are written (or the run stopped),
  // or `waiting` when none is ready within `timeout`.
  Block* TakeNextDone(std::chrono::milliseconds timeout, Block* waiting) {
    std::unique_lock lock(mutex_);
    const auto ready = [&] {
      return stopped_ || done_.contains(write_count_) ||
             (input_ended_ && write_count_ == read_count_);
    };
    if (!changed_.wait_for(lock, timeout, ready))
      return waiting;
    if (stopped_ || !done_.contains(write_count_))
      return nullptr;
    Block* block = done_.extract(write_count_++).mapped();
    return block;
  }
  void Written(Block* block) {
    std::lock_guard lock(mutex_);
    free_.push_back(block);
    changed_.notify_all();
  }

  // Records the first failure and stops every thread.
  void Fail(std::exception_ptr failure) {
    std::lock_guard lock(mutex_);
    if (!failure_)
      failure_ = failure;
    stopped_ = true;
    changed_.notify_all();
  }
  std::exception_ptr Failure() {
    std::lock_guard lock(mutex_);
    return failure_;
  }

 private:
  std::vector<Block> storage_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Block*> free_;
  std::deque<std::pair<std::int64_t, Block*>> to_work_;
  std::map<std::int64_t, Block*> done_;
  std::int64_t read_count_ = 0;
  std::int64_t write_count_ = 0;
  bool input_ended_ = false;
  bool stopped_ = false;
  std::exception_ptr failure_;
};

// Runs `body`, turning an exception into a stop of the whole run.
template <typename Body>
void Guarded(Queues& queues, Body body) {
  try {
    body();
  } catch (...) {
    queues.Fail(std::current_exception());
  }
}

}  // namespace

void RunInOrder(int workers, const PipelineStages& stages) {
  // Two blocks per worker keep every worker busy while the reader and the writer wait on I/O.
  Queues queues(static_cast<std::size_t>(2 * workers + 2));
  std::thread reader([&] {
    Guarded(queues, [&] {
      while (Block* block = queues.TakeFree()) {
        if (!stages.read(*block)) {
          queues.Written(block);
          break;
        }
        queues.GiveToWork(block);
      }
      queues.EndOfInput();
    });
  });
  std::vector<std::thread> threads;
  for (int worker = 0; worker < workers; ++worker) {
    threads.emplace_back([&, worker] {
      Guarded(queues, [&] {
        std::int64_t number;
        while (Block* block = queues.TakeWork(number)) {
          block->output.clear();
          block->counts = {};
          stages.work(worker, *block);
          queues.Done(number, block);
        }
      });
    });
  }
  Guarded(queues, [&] {
    Block waiting;  // a marker: nothing is ready yet
    auto last_tick = std::chrono::steady_clock::now();
    for (;;) {
      Block* block = queues.TakeNextDone(stages.tick_interval, &waiting);
      if (const auto now = std::chrono::steady_clock::now();
          now - last_tick >= stages.tick_interval) {
        stages.tick();
        last_tick = now;
      }
      if (block == &waiting)
        continue;
      if (block == nullptr)
        break;
      stages.write(*block);
      queues.Written(block);
    }
  });
  if (queues.Failure())
    stages.stop_reading();
  reader.join();
  for (std::thread& thread : threads)
    thread.join();
  if (std::exception_ptr failure = queues.Failure())
    std::rethrow_exception(failure);
}

}  // namespace tarvel::batch
