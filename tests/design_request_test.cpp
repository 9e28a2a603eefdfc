// What is wrong with a design request as a whole is answered in Chinese, as the page shows it, and
// names the key it is about.

#include <gtest/gtest.h>

#include <string>
#include <variant>

#include "process/design_outcome.h"

namespace tarvel {
namespace {

struct RefusedRequest {
  const char* request;
  const char* error;
};

TEST(DesignRequest, ARequestThatIsNoDesignIsToldWhy) {
  const RefusedRequest rows[] = {
      {"not json", "设计请求不是有效的 JSON（在第 2 个字节处）"},
      {R"({"pressure": "101.325", "points": [)", "设计请求不是有效的 JSON（没有写完）"},
      {"", "设计请求不是有效的 JSON（没有写完）"},
      {"[1,2]", "设计请求须是一个 JSON 对象"},
      {R"("design")", "设计请求须是一个 JSON 对象"},
      {R"({"command":"calculate","pressure":"101.325","points":[]})", "“command”须为“design”"},
      {R"({"points":[]})", "缺少“pressure”"},
      {R"({"pressure":101.325,"points":[]})", "“pressure”须为文本"},
      {R"({"pressure":"101.325"})", "缺少“points”"},
      {R"({"pressure":"101.325","points":{}})", "“points”须为列表"},
      {R"({"pressure":"101.325","flow":"0","points":[]})",
       "“flow”须为文本，读作大于零的风量（kg/s）"},
      {R"({"pressure":"101.325","flow":2,"points":[]})",
       "“flow”须为文本，读作大于零的风量（kg/s）"},
  };
  for (const RefusedRequest& row : rows) {
    const process::DesignOutcome outcome = process::AnswerDesign(row.request);
    const std::string* error = std::get_if<std::string>(&outcome);
    ASSERT_NE(error, nullptr) << row.request;
    EXPECT_EQ(*error, row.error) << row.request;
  }
}

}  // namespace
}  // namespace tarvel
