// The core's weather files (web/climate_entry.cpp, web/climate_chart_entry.cpp) as the climate
// panel uses them, through the page's handover (core_handover.js): a file's bytes read, the
// panel's options set, the answer read back, the hours and zones on the chart, the table of hours.
// Every count, figure, band and outline is the core's.
"use strict";

// `core` is tarvelHandover's.
function tarvelClimateCore(core) {
  const TEXTS = core.entries("climateTexts", "refusal answer shown");
  const HEAD = core.entries("climateDrawNumbers",
    "columns rows xMin xMax yMin yMax cells bands points zones outside");
  const CELL = core.entries("climateCellNumbers", "column row xMin xMax yMin yMax hours band");
  const ZONE = core.entries("climateZoneNumbers", "points");
  const DRAW_TEXTS = core.entries("climateDrawTexts", "cell bands");
  const CSV = core.entries("csvTexts", "csv").csv;

  // What a read or the options answered: the refusal ("" for none), and while a file is read its
  // climate answer (the object tarvel-climate --json prints, and that JSON text) and what the
  // panel shows beside it.
  function answered() {
    const t = core.texts();
    const json = t[TEXTS.answer];
    return { refusal: t[TEXTS.refusal], json, answer: json ? JSON.parse(json) : null,
      shown: json ? JSON.parse(t[TEXTS.shown]) : null };
  }

  return {
    // Reads a weather file from its bytes (a Uint8Array), every hour calculated.
    read(bytes) {
      core.giveBytes(bytes);
      core.call("climate_read");
      return answered();
    },

    // Sets the options, every value a text: month, hour, met, clo, air_speed, zone (four pairs of
    // limits) and pressure; the zones of a file read are counted again for them.
    options(options) {
      core.give(JSON.stringify(options));
      core.call("climate_options");
      return answered();
    },

    close() {
      core.call("climate_close");
    },

    // The table of hours as a CSV file: its bytes.
    hours() {
      core.call("climate_hours");
      return core.bytes(CSV);
    },

    // The file's hours and zones on the chart last laid out, each point of the plane as
    // toDrawing(x, y) makes it: the density (the grid's box and size, each cell that holds hours
    // with its place, hours and band, the bands' labels and the legend's caption) or the points,
    // and each zone's outline (by the index of the answer's zones). The grid has at most
    // mostColumns × mostRows cells.
    draw(mostColumns, mostRows, points, toDrawing) {
      core.call("climate_draw", mostColumns, mostRows, points ? 1 : 0);
      const n = core.numbers();
      const t = core.texts();
      const grid = { columns: n[HEAD.columns], rows: n[HEAD.rows],
        box: [n[HEAD.xMin], n[HEAD.xMax], n[HEAD.yMin], n[HEAD.yMax]] };
      let at = core.names.climateDrawNumbers.length;
      const cells = [];
      const cellSize = core.names.climateCellNumbers.length;
      for (let k = 0; k < n[HEAD.cells]; k++, at += cellSize) {
        const [left, bottom] = toDrawing(n[at + CELL.xMin], n[at + CELL.yMin]);
        const [right, top] = toDrawing(n[at + CELL.xMax], n[at + CELL.yMax]);
        cells.push({ column: n[at + CELL.column], row: n[at + CELL.row], left, right, top, bottom,
          hours: n[at + CELL.hours], band: n[at + CELL.band] });
      }
      const dots = [];
      for (let k = 0; k < n[HEAD.points]; k++, at += 2) dots.push(toDrawing(n[at], n[at + 1]));
      const zones = [];
      for (let k = 0; k < n[HEAD.zones]; k++) {
        const count = n[at + ZONE.points];
        at += core.names.climateZoneNumbers.length;
        const outline = [];
        for (let i = 0; i < count; i++, at += 2) outline.push(toDrawing(n[at], n[at + 1]));
        zones.push(outline);
      }
      return { grid, cells, points: dots, zones, outside: n[HEAD.outside],
        caption: t[DRAW_TEXTS.cell], bands: t.slice(DRAW_TEXTS.bands) };
    },
  };
}
