// Tarvel's psychrometric chart (焓湿图) beside the window. Every line and every state on it comes
// from the core (chart/, through web/chart_entry.cpp) in physical units; the page only maps the
// layout's plane onto the drawing, writes the core's texts beside the lines and hands a picked
// state to the calculate command. This script holds the chart together: the layout switch, the
// drawing and when it is renewed, the readout under the pointer and the pick, and the layers that
// other scripts draw on the chart. Its parts: chart_core.js (the core's answers), chart_drawing.js
// (the plane onto the svg), chart_lines.js, chart_mark.js, chart_protractor.js and
// chart_saving.js.
"use strict";

// Called by tarvel.js once the window is shown. `page` gives the core (tarvelHandover's) and what
// the page does for the chart: quantities holds each field's caption and unit by its index in the
// core, handOver(index) gives the core a field's text,
// pick(dryBulb, moisture, pressure) runs the calculate command on a picked state (with the chart's
// pressure for an empty pressure field), and busy() tells whether a message is open.
function tarvelChart(page) {
  const chartCore = tarvelChartCore(page.core);
  const svg = document.getElementById("chart");
  const plot = document.getElementById("chart-plot");
  const markGroup = document.getElementById("chart-mark");
  const readout = document.getElementById("chart-readout");
  const layoutButtons = Object.fromEntries(chartCore.layouts.map(
    (name) => [name, document.getElementById("chart-layout-" + name)]));
  const READOUT_ORDER = [0, 2, 1, 3, 4, 5];  // t, φ, tw, td, d, h
  const PRESSURE_FIELD = 6;
  const STORAGE_KEY = "tarvel.chart.layout";

  // The six parameters of a state by field index, named in the readout's order, e.g.
  // "干球温度 20 ℃".
  function described(values) {
    return READOUT_ORDER.map((i) => page.quantities[i].caption + " " + values[i] + " " +
      page.quantities[i].unit);
  }

  const drawLines = tarvelChartLines(svg, page.quantities);
  const drawMark = tarvelChartMark(svg, page.quantities, described);
  const layers = [];

  let layout = storedLayout();
  // What is drawn now: the view of the plane on the drawing, the pressure's caption, and what the
  // lines were drawn for.
  let view = null;
  let pressure = "";
  let linesKey = "";
  // The drawing's size in CSS pixels, one unit of the svg each; null until it is laid out.
  let size = null;

  // The layout chosen last time; a page opened from disk or with storage refused may have none.
  function storedLayout() {
    try {
      const value = window.localStorage.getItem(STORAGE_KEY);
      return Object.hasOwn(layoutButtons, value) ? value : "hd";
    } catch (error) {
      return "hd";
    }
  }

  function storeLayout() {
    try {
      window.localStorage.setItem(STORAGE_KEY, layout);
    } catch (error) {
      // Not remembered, then.
    }
  }

  // The chart again, for the pressure field's text and the state last calculated. The lines are
  // drawn anew only when the layout, the range, the pressure or the size has changed; otherwise
  // only the mark moves. Then every layer draws, and the mark over them.
  function redraw() {
    if (size === null) return;
    page.handOver(PRESSURE_FIELD);
    const [width, height] = size;
    const laid = chartCore.draw(layout);
    const v = tarvelChartDrawing.view(layout, laid.box, width, height);
    const { xMin, xMax, yMin, yMax } = laid.box;
    const key = [layout, width, height, xMin, xMax, yMin, yMax, laid.pressure].join(" ");
    const changed = key !== linesKey;
    if (changed) {
      drawLines(layout, chartCore.lines((x, y) => [v.x(x), v.y(y)]), laid.caption, v);
      linesKey = key;
    }
    view = v;
    pressure = laid.caption;
    for (const layer of layers) {
      const first = !layer.drawn;
      layer.drawn = true;
      layer.draw({ group: layer.group, view: v, layout, changed: changed || first });
    }
    drawMark(v, layout, laid.mark, laid.caption);
  }

  // The state under the pointer, as the core picks it: null when there is none.
  function stateAt(event) {
    if (view === null) return null;
    const matrix = svg.getScreenCTM();
    if (matrix === null) return null;
    const at = new DOMPoint(event.clientX, event.clientY).matrixTransform(matrix.inverse());
    return chartCore.pick(view.planeX(at.x), view.planeY(at.y));
  }

  function showReadout(state) {
    const values = state && state.values;
    readout.replaceChildren(...(values ? described(values).map((text) => {
      const item = document.createElement("span");
      item.textContent = text;
      return item;
    }) : []));
  }

  function follow(event) {
    if (!page.busy()) showReadout(stateAt(event));
  }

  function pick(event) {
    if (page.busy()) return;
    const state = stateAt(event);
    if (state !== null) page.pick(state.dryBulb, state.moisture, pressure);
  }

  function choose(name) {
    layout = name;
    for (const [key, button] of Object.entries(layoutButtons))
      button.setAttribute("aria-pressed", String(key === layout));
    storeLayout();
    redraw();
  }

  // Adds a layer: see addLayer below.
  function addLayer(draw) {
    const group = tarvelChartDrawing.element("g", { class: "layer" });
    markGroup.before(group);
    layers.push({ group, draw, drawn: false });
    redraw();
  }

  addLayer(tarvelChartProtractor(chartCore));
  plot.addEventListener("pointermove", follow);
  plot.addEventListener("pointerdown", follow);
  plot.addEventListener("pointerleave", () => showReadout(null));
  plot.addEventListener("click", pick);
  for (const [name, button] of Object.entries(layoutButtons))
    button.addEventListener("click", () => choose(name));
  tarvelChartSaving(svg, () => view);
  new ResizeObserver(() => {
    size = [svg.clientWidth, svg.clientHeight];
    redraw();
  }).observe(svg);
  choose(layout);

  return {
    redraw,
    // The core's chart answers (tarvelChartCore), for what a layer places by the core.
    core: chartCore,
    // After a command: the state is marked when it ended without a message (mark true), and
    // removed otherwise.
    afterCommand(mark) {
      chartCore.mark(mark);
      redraw();
    },
    // Adds a layer to the chart: a group of its own above the lines and below the marker, which
    // lets the pointer through to the plot. draw(drawing) is called at every drawing of the chart
    // with drawing.group (the layer's group: what the layer drew stays until it replaces it),
    // drawing.view (the plot's edges and the plane onto the drawing), drawing.layout ("hd", "td")
    // and drawing.changed (true when the lines were drawn anew, and at the layer's first
    // drawing). A layer whose content changes calls redraw().
    addLayer,
  };
}
