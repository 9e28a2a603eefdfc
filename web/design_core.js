// The core's designs of air conditioning (web/design_entry.cpp) as the process panel uses them: a
// request handed over as JSON text, its answer (the very line tarvel-replay writes), and the
// design's table and CSV file, every text and number written by the core.
"use strict";

// `core` is the instantiated tarvel-core.js; text(pointer, size) reads UTF-8 from its memory and
// giveText(makeBuffer, text) writes a text into it.
function tarvelDesignCore(core, text, giveText) {
  return {
    // The answer to the request (an object, or JSON text as a link holds it): the parsed answer
    // line, {points, flow, steps} or {error}. The core keeps the design for the chart and the
    // table.
    answer(request) {
      // Its texts as the window hands texts to the core (request_text.js).
      const json = typeof request === "string" ? request : tarvelRequestText(request);
      giveText(core._tarvel_design_buffer, json);
      return JSON.parse(text(core._tarvel_design(), core._tarvel_design_size()));
    },

    // The table of the design last answered: {columns: [{name, unit}], rows: [[texts]]}.
    table() {
      return JSON.parse(text(core._tarvel_design_table(), core._tarvel_design_table_size()));
    },

    // The same table as a CSV file: its bytes, as tarvel-batch writes a table.
    csv() {
      const at = core._tarvel_design_csv();
      return core.HEAPU8.slice(at, at + core._tarvel_design_table_size());
    },
  };
}
