#pragma once

// One runner for the tables of cases that run a command or routine on the fields: each row starts
// a fresh in-memory panel from its texts, runs its command there, and must then have written and
// shown exactly its expected events, each message with its own icon and title, and left every
// other field as it was.

#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "panel/memory_panel.h"
#include "panel_trace.h"

namespace tarvel::testing_support {

// What every row must show once its command has run: `expected_events` as TraceMatches reads
// them, the messages' icons and titles, and the fields no event wrote still holding `before`.
void ExpectRowEvents(const MemoryPanel& panel, const Texts& before,
                     std::string_view expected_events);

// Runs each row (with `name`, `before` and `events`) under its name: `run(panel, row)` runs the
// row's command on a panel made from row.before, and checks anything particular to the row.
template <typename Row, typename Run>
void RunFieldRows(const std::vector<Row>& rows, Run run) {
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    MemoryPanel panel = MakePanel(row.before);
    run(panel, row);
    ExpectRowEvents(panel, row.before, row.events);
  }
}

}  // namespace tarvel::testing_support
