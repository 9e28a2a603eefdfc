// The web page's entry to designs of air conditioning: the page writes a design request (one line
// of JSON) into its core's buffer and reads back its answer, computed by the very function that
// tarvel-replay calls (tables/design_line.h), so that the page shows the same states, digits and
// messages. The design stays in the page's core for the chart and for its table.
#include <emscripten/emscripten.h>

#include <string>
#include <vector>

#include "tables/design_line.h"
#include "tables/design_table.h"
#include "web/handover.h"
#include "web/page_core.h"

namespace {

using tarvel::web::PageCore;

std::vector<tarvel::tables::TableRow> TableRows(const PageCore& page) {
  const tarvel::process::DesignAnswer* design = page.Design();
  return design ? tarvel::tables::DesignTableRows(*design)
                : std::vector<tarvel::tables::TableRow>();
}

// Each of these answers is one text.
static_assert(tarvel::web::kDesignTexts.size() == 1 && tarvel::web::kTableTexts.size() == 1 &&
              tarvel::web::kCsvTexts.size() == 1);
void AnswerText(PageCore& page, std::string text) {
  page.answer.Clear();
  page.answer.texts.push_back(std::move(text));
}

}  // namespace

extern "C" {

// Answers the design request in the buffer: texts kDesignTexts, the answer line (JSON, UTF-8).
EMSCRIPTEN_KEEPALIVE void tarvel_design(PageCore* page) {
  page->design = tarvel::process::AnswerDesign(page->incoming);
  AnswerText(*page, tarvel::tables::OutcomeLine(page->design));
}

// The table of the design last answered (no rows when the request was no design): texts
// kTableTexts, one line of JSON (DesignTableJson).
EMSCRIPTEN_KEEPALIVE void tarvel_design_table(PageCore* page) {
  AnswerText(*page, tarvel::tables::DesignTableJson(TableRows(*page)));
}

// The same table as a CSV file (DesignCsv): texts kCsvTexts.
EMSCRIPTEN_KEEPALIVE void tarvel_design_csv(PageCore* page) {
  AnswerText(*page, tarvel::tables::DesignCsv(TableRows(*page)));
}

}  // extern "C"
