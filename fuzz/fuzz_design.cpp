// Design requests from arbitrary bytes. Whatever the bytes, the core answers with one line of JSON:
// an error line for what is no design request, otherwise an answer for every point that keeps the
// exactness contract (tests/design_contract.h): each state the calculate command's own answer to
// its two inputs, each input its process's formula from the earlier states' fields within half a
// hundredth. A request that never ends is caught by libFuzzer's -timeout.
#include <cstdint>
#include <exception>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/number_form.h"
#include "tables/design_line.h"
#include "tests/design_contract.h"

namespace {

using nlohmann::json;
using tarvel::fuzz::Require;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::string line = tarvel::tables::DesignAnswerLine(input);
  Require(line.find('\n') == std::string::npos, "the answer is one line", line);
  const json answer = json::parse(line, nullptr, false);
  Require(!answer.is_discarded() && answer.is_object(), "the answer is a JSON object", line);
  if (answer.contains("error")) {
    Require(answer.size() == 1 && answer["error"].is_string(), "an error line says only what");
    return 0;
  }
  const json request = json::parse(input, nullptr, false);
  Require(!request.is_discarded(), "only a JSON request is answered with a design", line);
  std::vector<std::string> failures;
  try {
    failures = tarvel::testing_support::DesignContractFailures(request, answer);
  } catch (const std::exception& e) {
    failures.push_back(std::string("the answer does not match the request: ") + e.what());
  }
  Require(failures.empty(), "the answer keeps the contract", failures.empty() ? "" : failures[0]);
  return 0;
}
