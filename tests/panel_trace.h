#pragma once

// Helpers for tests that check, event by event, what a command did to an in-memory panel.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "panel/memory_panel.h"

namespace tarvel::testing_support {

// "Text(0)" to "Text(5)", or "Text4" for the pressure.
std::string FieldName(AirField field);

// The items separated by ", ".
std::string Join(const std::vector<std::string>& items);

// What a command did to the panel, event by event: "Text(2)=52.5" for a write, "message
// 超出区域范围" for a message.
std::vector<std::string> Trace(const MemoryPanel& panel);

// The whole ordered list of events must match the comma-separated `expected_list`. One expected
// event: "Text(2)=52.5" exactly that text; "Text(2)=*" any text; "Text(2)>100" or "Text(0)<20" a
// text that reads as a number above or below the bound; "message 超出区域范围". A last expected
// item "..." accepts any further events.
::testing::AssertionResult TraceMatches(const MemoryPanel& panel, std::string_view expected_list);

// Every message shown carries the one icon and title that belong to its text.
::testing::AssertionResult MessagesHaveTheirIconAndTitle(const MemoryPanel& panel);

// Fields that no event wrote still hold the text they started with.
::testing::AssertionResult UnwrittenFieldsKeepTheirText(const MemoryPanel& panel,
                                                        const std::array<std::string, 7>& before);

using Texts = std::array<std::string, kFieldCount>;  // Text(0) to Text(5), then Text4

MemoryPanel MakePanel(const Texts& t);

}  // namespace tarvel::testing_support
