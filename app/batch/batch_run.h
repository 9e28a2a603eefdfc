#pragma once

#include "app/batch/batch_options.h"

namespace tarvel::batch {

// Exit statuses of tarvel-batch.
inline constexpr int kEveryRowAnswered = 0;
inline constexpr int kSomeRowsUnreadable = 1;
inline constexpr int kUsageOrIoError = 2;

// Answers the table that `options` name, telling progress and the outcome on standard error, and
// returns the exit status.
int RunBatch(const BatchOptions& options);

}  // namespace tarvel::batch
