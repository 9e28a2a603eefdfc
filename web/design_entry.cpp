// The web page's entry to designs of air conditioning: the page writes a design request (one line
// of JSON) into the core's memory and reads back its answer, computed by the very function that
// tarvel-replay calls (tables/design_line.h), so that the page shows the same states, digits and
// messages. The design stays in the core for the chart (web/page_design.h) and for its table.
#include <emscripten/emscripten.h>

#include <string>
#include <variant>

#include "process/design_outcome.h"
#include "tables/design_line.h"
#include "tables/design_table.h"
#include "web/entry_buffer.h"
#include "web/page_design.h"

namespace {

namespace process = tarvel::process;

std::string request;
process::DesignOutcome outcome = std::string();
std::string answer;  // the outcome's line
std::string table;   // the last text of its table

std::vector<tarvel::tables::TableRow> TableRows() {
  const process::DesignAnswer* design = tarvel::web::PageDesign();
  return design ? tarvel::tables::DesignTableRows(*design)
                : std::vector<tarvel::tables::TableRow>();
}

}  // namespace

namespace tarvel::web {

const process::DesignAnswer* PageDesign() {
  return std::get_if<process::DesignAnswer>(&outcome);
}

}  // namespace tarvel::web

extern "C" {

// A buffer of `size` bytes into which the page writes the UTF-8 text of a design request.
EMSCRIPTEN_KEEPALIVE char* tarvel_design_buffer(int size) {
  return tarvel::web::TextBuffer(request, size);
}

// Answers the request in the buffer; the answer, one line of JSON (UTF-8, no line end), stays
// valid until the next call.
EMSCRIPTEN_KEEPALIVE const char* tarvel_design() {
  outcome = process::AnswerDesign(request);
  answer = tarvel::tables::OutcomeLine(outcome);
  return answer.data();
}

// The answer's length in bytes.
EMSCRIPTEN_KEEPALIVE int tarvel_design_size() {
  return static_cast<int>(answer.size());
}

// The table of the design last answered, one line of JSON (DesignTableJson; no rows when the
// request was no design), valid until the next call of tarvel_design_table or tarvel_design_csv.
EMSCRIPTEN_KEEPALIVE const char* tarvel_design_table() {
  table = tarvel::tables::DesignTableJson(TableRows());
  return table.data();
}

// The same table as a CSV file (DesignCsv).
EMSCRIPTEN_KEEPALIVE const char* tarvel_design_csv() {
  table = tarvel::tables::DesignCsv(TableRows());
  return table.data();
}

// The length in bytes of the table's text last made.
EMSCRIPTEN_KEEPALIVE int tarvel_design_table_size() {
  return static_cast<int>(table.size());
}

}  // extern "C"
