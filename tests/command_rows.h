#pragma once

// Table-driven tests of whole calculate commands: each row's texts, the outcome and the events.

#include <vector>

#include <gtest/gtest.h>

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
  for (const CommandCase& row : rows) {
    SCOPED_TRACE(row.name);
    MemoryPanel panel = MakePanel(row.before);
    const CalculateOutcome outcome = RunCalculate(panel);
    EXPECT_STREQ(OutcomeName(outcome), OutcomeName(row.outcome));
    EXPECT_TRUE(TraceMatches(panel, row.events));
    EXPECT_TRUE(MessagesHaveTheirIconAndTitle(panel));
    EXPECT_TRUE(UnwrittenFieldsKeepTheirText(panel, row.before));
  }
}

}  // namespace tarvel::testing_support
