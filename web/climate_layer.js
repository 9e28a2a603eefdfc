// A weather file on the chart: the hours that the climate panel's filter selects, as a density of
// hours per cell of the core's round grid, coloured by the core's bands, or as one point an hour,
// the zones' outlines, and a legend along the plot's upper edge. A layer of the chart
// (chart.addLayer), drawn anew only when the file, the options or the chart's lines change; the
// core places everything in one answer.
"use strict";

// `chart` is tarvelChart's, `climateCore` tarvelClimateCore's, `zones` tarvelClimateZones's;
// returns show(answer, points), which draws the hours and zones of a file's answer (null: none),
// as points when `points`.
function tarvelClimateLayer(chart, climateCore, zones) {
  const { element, path } = tarvelChartDrawing;
  // The cells of the density are at least this many CSS pixels across and up.
  const CELL_PIXELS = 6;
  const LINE_HEIGHT = 15;
  const LEGEND_FONT_SIZE = "11px";  // as the chart's style sets it for .climate-legend text
  const PADDING = 6;
  const GAP = 12;
  let shown = null;
  let version = 0;
  let drawnVersion = -1;

  const at = (value) => Number(value.toFixed(1));

  function cellsGroup(drawn) {
    const group = element("g", { class: "climate-cells", "clip-path": "url(#chart-clip)",
      "shape-rendering": "crispEdges", "data-columns": drawn.grid.columns,
      "data-rows": drawn.grid.rows, "data-box": drawn.grid.box.join(" ") });
    for (const cell of drawn.cells) {
      const [x, y] = [at(cell.left), at(cell.top)];
      group.append(element("rect", { class: "climate-band-" + cell.band, x, y,
        width: (at(cell.right) - x).toFixed(1), height: (at(cell.bottom) - y).toFixed(1),
        "data-hours": cell.hours, "data-column": cell.column, "data-row": cell.row }));
    }
    return group;
  }

  function pointsPath(drawn) {
    const d = drawn.points.map(([x, y]) => "M" + x.toFixed(1) + " " + y.toFixed(1) + "h0");
    return element("path", { class: "climate-points", "clip-path": "url(#chart-clip)",
      "data-points": drawn.points.length, d: d.join("") });
  }

  // The legend, a strip along the plot's upper edge, above the air of a weather file in either
  // layout: what a cell or a point is, the bands' colours and the hours beyond the chart's range
  // in a row, then each zone shown with its outline's line, in rows as wide as the plot. Its
  // items are laid out once their texts are measured (place).
  function legend(drawn, outlined) {
    const group = element("g", { class: "climate-legend" });
    const backdrop = element("rect", { class: "climate-legend-paper" });
    group.append(backdrop);
    const items = [];
    const item = (swatch, text, newRow = false) => {
      const g = element("g", {});
      if (swatch) g.append(swatch);
      g.append(element("text", { x: swatch ? 20 : 0, y: 11 }, text));
      group.append(g);
      items.push({ g, newRow });
    };
    item(null, drawn.caption);
    drawn.bands.forEach((band, k) => item(element("rect", { class: "climate-band-" + k, x: 0,
      y: 2, width: 16, height: 10 }), band));
    if (drawn.outside > 0) item(null, "另有 " + drawn.outside + " 小时在图的范围外");
    outlined.forEach(([index, name], k) => item(element("path", {
      class: "climate-zone climate-zone-" + index, d: "M0 7.5h16" }), name, k === 0));
    return { group, backdrop, items };
  }

  // The width of a legend's text in CSS pixels, measured on a canvas in the chart's font (its
  // family taken once, while the page is laid out): reading the svg's own boxes would lay out
  // the whole page again, whose tables have just changed.
  const measure = document.createElement("canvas").getContext("2d");
  measure.font = LEGEND_FONT_SIZE + " " + getComputedStyle(document.getElementById("chart"))
    .fontFamily;
  const textWidth = (text) => measure.measureText(text).width;

  // Lays the legend's items out in rows within the plot's width, and its paper behind them.
  function place({ group, backdrop, items }, plot) {
    const widths = items.map(({ g }) => {
      const text = g.lastChild;
      return Number(text.getAttribute("x")) + textWidth(text.textContent);
    });
    const room = plot.right - plot.left - 2 * PADDING - 8;
    let [x, y, widest] = [0, 0, 0];
    items.forEach(({ g, newRow }, k) => {
      if (k > 0 && (newRow || x + widths[k] > room)) [x, y] = [0, y + LINE_HEIGHT];
      g.setAttribute("transform", "translate(" + x.toFixed(1) + " " + y + ")");
      x += widths[k] + GAP;
      widest = Math.max(widest, x - GAP);
    });
    const [left, top] = [plot.left + PADDING + 4, plot.top + PADDING + 2];
    group.setAttribute("transform", "translate(" + left + " " + top + ")");
    for (const [name, value] of Object.entries({ x: -PADDING, y: -PADDING / 2,
      width: widest + 2 * PADDING, height: y + LINE_HEIGHT + PADDING }))
      backdrop.setAttribute(name, value.toFixed(1));
  }

  function draw({ group, view, changed }) {
    if (!changed && drawnVersion === version) return;
    drawnVersion = version;
    if (shown === null) {
      group.replaceChildren();
      return;
    }
    const { plot } = view;
    const drawn = climateCore.draw(Math.max(1, Math.floor((plot.right - plot.left) / CELL_PIXELS)),
      Math.max(1, Math.floor((plot.bottom - plot.top) / CELL_PIXELS)), shown.points,
      (x, y) => [view.x(x), view.y(y)]);
    const hours = shown.points ? pointsPath(drawn) : cellsGroup(drawn);
    const outlines = element("g", { class: "climate-zones", "clip-path": "url(#chart-clip)" });
    const outlined = [];
    drawn.zones.forEach((outline, index) => {
      const name = shown.answer.zones[index].name;
      if (outline.length < 3 || !zones.shows(name)) return;
      outlined.push([index, name]);
      outlines.append(element("path", { class: "climate-zone climate-zone-" + index,
        "data-zone": name, d: path(outline) + "Z" }));
    });
    const key = legend(drawn, outlined);
    group.replaceChildren(hours, outlines, key.group);
    place(key, plot);
  }

  chart.addLayer(draw);

  return {
    show(answer, points) {
      shown = answer === null ? null : { answer, points };
      version += 1;
      chart.redraw();
    },
  };
}
