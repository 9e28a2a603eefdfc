#pragma once

#include <cstddef>
#include <functional>

namespace tarvel::python {

// Rows per block: enough that taking a block costs nothing beside answering it, few enough that
// the threads end together.
inline constexpr std::ptrdiff_t kRowsPerBlock = 1024;

// Calls work(begin, end, worker) for consecutive blocks of [0, rows), each block once, on up to
// `threads` threads, the calling one among them; `worker` (0 to threads − 1) names the thread, so
// that it may keep state of its own. Which thread takes which block depends on timing, so the
// work on a row must depend on that row alone. The first exception thrown stops the other threads
// at their next block and is thrown again here, once every thread has ended.
void ForEachBlock(std::ptrdiff_t rows, int threads,
                  const std::function<void(std::ptrdiff_t, std::ptrdiff_t, int)>& work);

}  // namespace tarvel::python
