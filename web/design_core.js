// The core's designs of air conditioning (web/design_entry.cpp) as the process panel uses them,
// through the page's handover (core_handover.js): a request handed over as JSON text, its answer
// (the very line tarvel-replay writes), and the design's table and CSV file, every text and number
// written by the core.
"use strict";

// `core` is tarvelHandover's.
function tarvelDesignCore(core) {
  const ANSWER = core.entries("designTexts", "answer").answer;
  const TABLE = core.entries("tableTexts", "table").table;
  const CSV = core.entries("csvTexts", "csv").csv;

  return {
    // The answer to the request (an object, or JSON text as a link holds it): the parsed answer
    // line, {points, flow, steps} or {error}. The core keeps the design for the chart and the
    // table.
    answer(request) {
      // Its texts as the window hands texts to the core (request_text.js).
      const json = typeof request === "string" ? request : tarvelRequestText(request);
      core.give(json);
      core.call("design");
      return JSON.parse(core.texts()[ANSWER]);
    },

    // The table of the design last answered: {columns: [{name, unit}], rows: [[texts]]}.
    table() {
      core.call("design_table");
      return JSON.parse(core.texts()[TABLE]);
    },

    // The same table as a CSV file: its bytes, as tarvel-batch writes a table.
    csv() {
      core.call("design_csv");
      return core.bytes(CSV);
    },
  };
}
