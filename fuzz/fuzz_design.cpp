// Design requests from arbitrary bytes. Whatever the bytes, the core answers with one line of JSON:
// an error line for what is no design request, otherwise an answer for every point that keeps the
// exactness contract (tests/design_contract.h): each state the calculate command's own answer to
// its two inputs, each input its process's formula from the earlier states' fields within half a
// hundredth, every figure and step its relation of the fields. The design's table, as the page
// shows it and saves it as a CSV file, has a row per point as wide as its header, and the file
// reads back as the very cells. A request that never ends is caught by libFuzzer's -timeout.
#include <cstdint>
#include <exception>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "app/batch/csv_record.h"
#include "fuzz/number_form.h"
#include "tables/design_line.h"
#include "tables/design_table.h"
#include "tests/design_contract.h"

namespace {

using nlohmann::json;
using tarvel::fuzz::Require;

void CheckTable(std::string_view input, std::size_t points) {
  const tarvel::process::DesignOutcome outcome = tarvel::process::AnswerDesign(input);
  const auto* design = std::get_if<tarvel::process::DesignAnswer>(&outcome);
  Require(design != nullptr, "a request answered with a design has a table");
  const std::vector<tarvel::tables::TableRow> rows = tarvel::tables::DesignTableRows(*design);
  const json table = json::parse(tarvel::tables::DesignTableJson(rows), nullptr, false);
  Require(!table.is_discarded() && table["rows"].size() == points, "the table has a row per point");
  const std::size_t width = table["columns"].size();
  const std::string csv = tarvel::tables::DesignCsv(rows);
  tarvel::batch::CsvRecord record;
  std::size_t read = 0;
  for (std::string_view rest = csv; !rest.empty(); ++read) {
    rest.remove_prefix(tarvel::batch::ReadRecord(rest, ',', record));
    const std::vector<std::string> cells = tarvel::batch::CellTexts(record);
    Require(record.problem == tarvel::batch::RecordProblem::None && cells.size() == width,
            "a line of the CSV file is as wide as its header", record.text);
    Require(read == 0 || cells == rows[read - 1], "the CSV file holds the table's cells",
            record.text);
  }
  Require(read == points + 1, "the CSV file is a header and a line per point", csv);
}

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
  CheckTable(input, answer["points"].size());
  return 0;
}
