// The core's chart (web/chart_entry.cpp) as the page's scripts use it. The core answers in flat
// lists of numbers and texts in its memory; every entry is read by the name the core gives it
// (web/chart_handover.h, handed over once by tarvel_chart_names), never by a position of this
// script's own.
"use strict";

// `core` is the instantiated tarvel-core.js; text(pointer, size) reads UTF-8 from its memory.
function tarvelChartCore(core, text) {
  function texts() {
    const list = [];
    const count = core._tarvel_chart_text_count();
    for (let k = 0; k < count; k++)
      list.push(text(core._tarvel_chart_text(k), core._tarvel_chart_text_size(k)));
    return list;
  }

  // The core's numbers as they are now: valid only until the next call of the core.
  function numbers(count) {
    const at = core._tarvel_chart_numbers() / 8;
    return core.HEAPF64.subarray(at, at + count);
  }

  // Each list of names as the core gives it: its name, then its entries ("drawTexts pressure
  // parameters"); the kinds of line and the layouts with their values ("layouts hd=0 td=1").
  core._tarvel_chart_names();
  const names = {};
  for (const list of texts()) {
    const [name, ...entries] = list.split(" ");
    names[name] = entries;
  }
  // Where each entry this script reads stands in one of the core's lists, by its name. A name the
  // core does not give stops the chart here, before anything is drawn from undefined numbers.
  function entries(list, wanted) {
    const at = {};
    for (const name of wanted.split(" ")) {
      at[name] = names[list].indexOf(name);
      if (at[name] < 0) throw new Error(`the core's chart gives no ${list} entry ${name}`);
    }
    return at;
  }
  // The values of a list of named values, by name.
  const values = (list) => Object.fromEntries(list.map((item) => {
    const [name, value] = item.split("=");
    return [name, Number(value)];
  }));
  const DRAW = entries("drawNumbers", "xMin xMax yMin yMax pressure mark markX markY");
  const DRAW_TEXTS = entries("drawTexts", "pressure parameters");
  const LINE = entries("lineNumbers", "kind labelled points");
  const PLACE = entries("placeNumbers", "x y");
  const PICK = entries("pickTexts", "dryBulb moisture parameters");
  const DESIGN_POINT = entries("designPointNumbers", "shown x y");
  const PROTRACTOR = entries("protractorNumbers", "endX endY");
  const layouts = values(names.layouts);
  const kinds = [];
  for (const [name, kind] of Object.entries(values(names.kinds))) kinds[kind] = name;

  return {
    // The layouts' names: "hd" (the 焓湿图), "td".
    layouts: Object.keys(layouts),

    // Lays the chart out in the layout for the pressure field's text last handed over. Returns
    // the plane's box, the pressure drawn for (kPa) and its caption, and the mark: null, or the
    // point of the plane where it stands (x, y), whether that is on the range's edge, and the six
    // parameters of the marked state by field index.
    draw(layout) {
      const n = numbers(core._tarvel_chart_draw(layouts[layout]));
      const t = texts();
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
      const n = numbers(core._tarvel_chart_lines());
      const values = texts();
      const headSize = names.lineNumbers.length;
      const lines = [];
      for (let at = 0; at < n.length;) {
        const count = n[at + LINE.points];
        const points = [];
        for (let i = 0, p = at + headSize; i < count; i++, p += 2)
          points.push(toDrawing(n[p], n[p + 1]));
        lines.push({ kind: kinds[n[at + LINE.kind]], value: values[lines.length],
          labelled: n[at + LINE.labelled] === 1, points });
        at += headSize + 2 * count;
      }
      return lines;
    },

    // Where a state (t in ℃, d in g/kg) stands on the plane last laid out: [x, y].
    place(t, d) {
      const n = numbers(core._tarvel_chart_place(t, d));
      return [n[PLACE.x], n[PLACE.y]];
    },

    // The state at the point (x, y) of the plane: null when there is none to pick there, else the
    // dry bulb and moisture content as a pick types them, and the six parameters the calculate
    // command writes (null when it ends with a message).
    pick(x, y) {
      const found = core._tarvel_chart_pick(x, y);
      if (found === 0) return null;
      const t = texts();
      return { dryBulb: t[PICK.dryBulb], moisture: t[PICK.moisture],
        values: found === 2 ? t.slice(PICK.parameters) : null };
    },

    // Each point of the design last answered, in request order: null for a point that is not
    // drawn (it ended with a message), else the point of the plane where it stands and whether
    // that is on the range's edge.
    designPoints() {
      const size = names.designPointNumbers.length;
      const n = numbers(core._tarvel_chart_design());
      const points = [];
      for (let at = 0; at < n.length; at += size) {
        const shown = n[at + DESIGN_POINT.shown];
        points.push(shown === 0 ? null
          : { x: n[at + DESIGN_POINT.x], y: n[at + DESIGN_POINT.y], atEdge: shown === 2 });
      }
      return points;
    },

    // The heat-moisture ratio protractor of the 焓湿图 centred at the plane point (x, y), each ray
    // as long on the drawing as radiusX plane units across or radiusY up: each ray's end on the
    // plane and its label, from ε = +∞ (straight up) clockwise to −∞.
    protractor(x, y, radiusX, radiusY) {
      const size = names.protractorNumbers.length;
      const n = numbers(core._tarvel_chart_protractor(x, y, radiusX, radiusY));
      const labels = texts();
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
      core._tarvel_chart_mark(on ? 1 : 0);
    },
  };
}
