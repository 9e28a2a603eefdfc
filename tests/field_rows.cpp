#include "field_rows.h"

namespace tarvel::testing_support {

void ExpectRowEvents(const MemoryPanel& panel, const Texts& before,
                     std::string_view expected_events) {
  EXPECT_TRUE(TraceMatches(panel, expected_events));
  EXPECT_TRUE(MessagesHaveTheirIconAndTitle(panel));
  EXPECT_TRUE(UnwrittenFieldsKeepTheirText(panel, before));
}

}  // namespace tarvel::testing_support
