#pragma once

// Tables of whole calculate commands: each row's texts, the outcome and the events, run by the
// one runner of field rows.

#include <vector>

#include <gtest/gtest.h>

#include "field_rows.h"
#include "panel/memory_panel.h"
#include "panel_trace.h"
#include "solver/calculate_command.h"

namespace tarvel::testing_support {

inline const char* OutcomeName(CalculateOutcome outcome) {
  static const char* const kNames[] = {"Completed", "Message", "NumericFault"};
  return kNames[static_cast<int>(outcome)];
}

struct CommandCase {
  const char* name;
  Texts before;
  CalculateOutcome outcome;
  const char* events;  // what the command writes and shows, in order
};

inline void RunCommandRows(const std::vector<CommandCase>& rows) {
  RunFieldRows(rows, [](MemoryPanel& panel, const CommandCase& row) {
    EXPECT_STREQ(OutcomeName(RunCalculate(panel)), OutcomeName(row.outcome));
  });
}

}  // namespace tarvel::testing_support
