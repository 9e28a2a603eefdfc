// The core's chart (web/chart_entry.cpp) as the page's scripts use it, through the page's
// handover (core_handover.js): every entry of an answer is read by the name the core gives it.
"use strict";

// `core` is tarvelHandover's.
function tarvelChartCore(core) {
  const DRAW = core.entries("drawNumbers", "xMin xMax yMin yMax pressure mark markX markY");
  const DRAW_TEXTS = core.entries("drawTexts", "pressure parameters");
  const LINE = core.entries("lineNumbers", "kind labelled points");
  const PICK = core.entries("pickNumbers", "found");
  const PICK_TEXTS = core.entries("pickTexts", "dryBulb moisture parameters");
  const DESIGN = core.entries("designNumbers", "points lines");
  const DESIGN_POINT = core.entries("designPointNumbers", "shown x y");
  const DESIGN_LINE = core.entries("designLineNumbers", "kind of points");
  const PROTRACTOR = core.entries("protractorNumbers", "endX endY");
  const layouts = core.values("layouts");
  const kinds = [];
  for (const [name, kind] of Object.entries(core.values("kinds"))) kinds[kind] = name;
  const designLineKinds = [];
  for (const [name, kind] of Object.entries(core.values("designLineKinds")))
    designLineKinds[kind] = name;

  // The points of the plane at `at` in n, `count` of them, each as toDrawing(x, y) makes it.
  function points(n, at, count, toDrawing) {
    const list = [];
    for (let i = 0, p = at; i < count; i++, p += 2) list.push(toDrawing(n[p], n[p + 1]));
    return list;
  }

  return {
    // The layouts' names: "hd" (the 焓湿图), "td".
    layouts: Object.keys(layouts),

    // Lays the chart out in the layout for the pressure field's text last handed over. Returns
    // the plane's box, the pressure drawn for (kPa) and its caption, and the mark: null, or the
    // point of the plane where it stands (x, y), whether that is on the range's edge, and the six
    // parameters of the marked state by field index.
    draw(layout) {
      core.call("chart_draw", layouts[layout]);
      const n = core.numbers();
      const t = core.texts();
      return {
        box: { xMin: n[DRAW.xMin], xMax: n[DRAW.xMax], yMin: n[DRAW.yMin], yMax: n[DRAW.yMax] },
        pressure: n[DRAW.pressure],
        caption: t[DRAW_TEXTS.pressure],
        mark: n[DRAW.mark] === 0 ? null : {
          x: n[DRAW.markX], y: n[DRAW.markY], atEdge: n[DRAW.mark] === 2,
          values: t.slice(DRAW_TEXTS.parameters) },
      };
    },

    // The lines of the chart last laid out, each with its kind (its svg class), its value as
    // text, whether it is labelled, and its points: each point of the plane as toDrawing(x, y)
    // makes it.
    lines(toDrawing) {
      core.call("chart_lines");
      const n = core.numbers();
      const values = core.texts();
      const headSize = core.names.lineNumbers.length;
      const lines = [];
      for (let at = 0; at < n.length;) {
        const count = n[at + LINE.points];
        lines.push({ kind: kinds[n[at + LINE.kind]], value: values[lines.length],
          labelled: n[at + LINE.labelled] === 1,
          points: points(n, at + headSize, count, toDrawing) });
        at += headSize + 2 * count;
      }
      return lines;
    },

    // The state at the point (x, y) of the plane: null when there is none to pick there, else the
    // dry bulb and moisture content as a pick types them, and the six parameters the calculate
    // command writes (null when it ends with a message).
    pick(x, y) {
      core.call("chart_pick", x, y);
      const found = core.numbers()[PICK.found];
      if (found === 0) return null;
      const t = core.texts();
      return { dryBulb: t[PICK_TEXTS.dryBulb], moisture: t[PICK_TEXTS.moisture],
        values: found === 2 ? t.slice(PICK_TEXTS.parameters) : null };
    },

    // The design last answered on the chart, in one answer: each point in request order, null
    // for a point that is not drawn (it ended with a message), else where it stands and whether
    // that is on the range's edge; and each of its lines with its kind ("step", or "ratio" for a
    // supply state's ε line), the step or point it belongs to and its points, each as
    // toDrawing(x, y) makes it.
    design(toDrawing) {
      core.call("chart_design");
      const n = core.numbers();
      const pointSize = core.names.designPointNumbers.length;
      const lineSize = core.names.designLineNumbers.length;
      let at = core.names.designNumbers.length;
      const designPoints = [];
      for (let k = 0; k < n[DESIGN.points]; k++, at += pointSize) {
        const shown = n[at + DESIGN_POINT.shown];
        designPoints.push(shown === 0 ? null : {
          at: toDrawing(n[at + DESIGN_POINT.x], n[at + DESIGN_POINT.y]), atEdge: shown === 2 });
      }
      const lines = [];
      for (let k = 0; k < n[DESIGN.lines]; k++) {
        const count = n[at + DESIGN_LINE.points];
        lines.push({ kind: designLineKinds[n[at + DESIGN_LINE.kind]], of: n[at + DESIGN_LINE.of],
          points: points(n, at + lineSize, count, toDrawing) });
        at += lineSize + 2 * count;
      }
      return { points: designPoints, lines };
    },

    // The heat-moisture ratio protractor of the 焓湿图 centred at the plane point (x, y), each ray
    // as long on the drawing as radiusX plane units across or radiusY up: each ray's end on the
    // plane and its label, from ε = +∞ (straight up) clockwise to −∞.
    protractor(x, y, radiusX, radiusY) {
      core.call("chart_protractor", x, y, radiusX, radiusY);
      const size = core.names.protractorNumbers.length;
      const n = core.numbers();
      const labels = core.texts();
      const rays = [];
      for (let at = 0; at < n.length; at += size) {
        rays.push({ x: n[at + PROTRACTOR.endX], y: n[at + PROTRACTOR.endY],
          label: labels[rays.length] });
      }
      return rays;
    },

    // Marks the state the fields now hold (after a calculation that ended without a message), or
    // removes the mark.
    mark(on) {
      core.call("chart_mark", on ? 1 : 0);
    },
  };
}
