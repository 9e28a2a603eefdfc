#pragma once

#include <cstddef>
#include <functional>

namespace tarvel::python {

// Rows per block: enough that taking a block costs nothing beside answering it, few enough that
// the threads end together and that a block is done long before a person who pressed Ctrl-C
// notices (about a millisecond of work).
inline constexpr std::ptrdiff_t kRowsPerBlock = 1024;

// The blocks of work in `rows` rows.
std::ptrdiff_t BlockCount(std::ptrdiff_t rows);

using BlockWork = std::function<void(std::ptrdiff_t begin, std::ptrdiff_t end, int worker)>;

// Calls work(begin, end, worker) for consecutive blocks of [0, rows), each block once, on
// `workers` threads (WorkerCount's), the GIL released; `worker` (0 to workers − 1) names the
// thread, so that it may keep state of its own. Which thread takes which block depends on timing,
// so the work on a row must depend on that row alone. Called with the GIL held.
//
// Meanwhile the calling thread checks for signals every few milliseconds, as Python itself does
// between bytecodes: when a handler raises (Ctrl-C's KeyboardInterrupt), the workers stop at
// their next block and the exception is raised here once every one of them has ended. The first
// exception a worker throws stops the others the same way and is thrown here. A single block is
// worked on the calling thread.
void ForEachBlock(std::ptrdiff_t rows, int workers, const BlockWork& work);

}  // namespace tarvel::python
