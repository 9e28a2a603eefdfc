// Tarvel's psychrometric chart (焓湿图) beside the window. Every line and every state on it comes
// from the core (chart/, through web/chart_entry.cpp) in physical units; this script only maps the
// layout's plane onto the drawing, writes the core's texts beside the lines and hands a picked
// state to the calculate command.
"use strict";

// Called by tarvel.js once the window is shown. `page` gives the core and what the page does for
// the chart: text(pointer, size) reads UTF-8 from the core, handOver(index) gives the core a
// field's text, pick(dryBulb, moisture, pressure) runs the calculate command on a picked state
// (with the chart's pressure for an empty pressure field), and busy() tells whether a message is
// open.
function tarvelChart(page) {
  const core = page.core;
  const SVG = "http://www.w3.org/2000/svg";
  const svg = document.getElementById("chart");
  const plot = document.getElementById("chart-plot");
  const clipArea = document.getElementById("chart-clip-area");
  const drawing = document.getElementById("chart-drawing");
  const markLayer = document.getElementById("chart-mark");
  const readout = document.getElementById("chart-readout");
  const layoutButtons = { hd: document.getElementById("chart-layout-hd"),
    td: document.getElementById("chart-layout-td") };
  const LAYOUTS = { hd: 0, td: 1 };  // ChartLayout
  const KINDS = ["saturation", "rh", "isotherm", "enthalpy", "moisture"];  // CurveKind
  // The six parameters by field index, with the window's captions and units.
  const QUANTITIES = [["干球温度", "℃"], ["湿球温度", "℃"], ["相对湿度", "％"], ["露点温度", "℃"],
    ["含湿量", "g/kg"], ["湿空气焓", "kJ/kg"]];
  const READOUT_ORDER = [0, 2, 1, 3, 4, 5];  // t, φ, tw, td, d, h
  const STORAGE_KEY = "tarvel.chart.layout";

  let layout = storedLayout();
  // What is drawn now: the plane's box and where it lies in the drawing, and the pressure.
  let view = null;
  let pressure = "";
  let linesKey = "";
  // The drawing's size in CSS pixels, one unit of the svg each; null until it is laid out.
  let size = null;

  // The layout chosen last time; a page opened from disk or with storage refused may have none.
  function storedLayout() {
    try {
      const value = window.localStorage.getItem(STORAGE_KEY);
      return Object.hasOwn(LAYOUTS, value) ? value : "hd";
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

  function coreTexts() {
    const list = [];
    const count = core._tarvel_chart_text_count();
    for (let k = 0; k < count; k++)
      list.push(page.text(core._tarvel_chart_text(k), core._tarvel_chart_text_size(k)));
    return list;
  }

  function element(name, attributes, text) {
    const node = document.createElementNS(SVG, name);
    for (const [key, value] of Object.entries(attributes)) node.setAttribute(key, value);
    if (text !== undefined) node.textContent = text;
    return node;
  }

  // Room around the plot for the scales and captions, in CSS pixels.
  function margins() {
    return layout === "hd" ? { left: 50, right: 30, top: 30, bottom: 44 }
      : { left: 16, right: 50, top: 30, bottom: 44 };
  }

  // The plane (physical units) onto the drawing (CSS pixels) and back.
  function makeView(box, width, height) {
    const m = margins();
    const plot = { left: m.left, right: width - m.right, top: m.top, bottom: height - m.bottom };
    const sx = (plot.right - plot.left) / (box.xMax - box.xMin);
    const sy = (plot.bottom - plot.top) / (box.yMax - box.yMin);
    return {
      box, plot, width, height,
      x: (x) => plot.left + (x - box.xMin) * sx,
      y: (y) => plot.bottom - (y - box.yMin) * sy,
      planeX: (px) => box.xMin + (px - plot.left) / sx,
      planeY: (py) => box.yMin + (plot.bottom - py) / sy,
    };
  }

  function pathOf(points) {
    let d = "";
    for (const [x, y] of points) {
      if (!Number.isFinite(x) || !Number.isFinite(y)) continue;
      d += (d ? "L" : "M") + x.toFixed(1) + " " + y.toFixed(1);
    }
    return d;
  }

  // The first point at which a polyline on the drawing crosses the vertical x, or null.
  function crossing(points, x) {
    for (let i = 1; i < points.length; i++) {
      const [x1, y1] = points[i - 1];
      const [x2, y2] = points[i];
      if ((x1 - x) * (x2 - x) <= 0 && x1 !== x2) return [x, y1 + (y2 - y1) * (x - x1) / (x2 - x1)];
    }
    return null;
  }

  // Where a line's value is written, by its kind and the layout: the isotherms and the moisture
  // grid on their scales; a relative humidity on a common vertical where the curves stand apart
  // (else at its curve's end); an enthalpy beyond the line's end on the saturation curve or on
  // the frame's right edge, or inside the frame where the line ends on its left edge. Null for a
  // line too short to name.
  function labelOf(kind, points, text, v, labelX) {
    const [x0, y0] = points[0];
    const [x1, y1] = points[1];
    const [xn, yn] = points[points.length - 1];
    const p = v.plot;
    switch (kind) {
      case "isotherm":
        return layout === "hd" ? { x: p.left - 4, y: y0 + 4, anchor: "end", text }
          : { x: x0, y: p.bottom + 15, anchor: "middle", text };
      case "moisture":
        return layout === "hd" ? { x: x0, y: p.bottom + 15, anchor: "middle", text }
          : { x: p.right + 4, y: y0 + 4, anchor: "start", text };
      case "enthalpy": {
        const length = Math.hypot(x0 - x1, y0 - y1);
        if (Math.hypot(x0 - xn, y0 - yn) < 24 || length === 0) return null;
        if (Math.abs(x0 - p.right) < 1) return { x: x0 + 3, y: y0 + 4, anchor: "start", text };
        if (Math.abs(x0 - p.left) < 1) return { x: x0 + 3, y: y0 - 3, anchor: "start", text };
        const dx = (x0 - x1) / length;
        const dy = (y0 - y1) / length;
        return { x: x0 + dx * 5, y: y0 + dy * 5 + (dy > 0 ? 9 : 0),
          anchor: dx < 0 ? "end" : "start", text };
      }
      default: {
        const at = labelX === null ? null : crossing(points, labelX);
        if (at !== null) return { x: at[0] + 3, y: at[1] - 3, anchor: "start", text: text + "%" };
        return { x: xn - 3, y: yn < p.top + 1 ? yn + 12 : yn - 4, anchor: "end", text: text + "%" };
      }
    }
  }

  function quantity(index, value) {
    return QUANTITIES[index][0] + " " + value + " " + QUANTITIES[index][1];
  }

  function coreNumbers(count) {
    const at = core._tarvel_chart_numbers() / 8;
    return core.HEAPF64.subarray(at, at + count);
  }

  // The chart again, for the pressure field's text and the state last calculated. The lines are
  // drawn anew only when the layout, the range, the pressure or the size has changed; otherwise
  // only the mark moves.
  function redraw() {
    if (size === null) return;
    page.handOver(6);
    const [width, height] = size;
    const n = coreNumbers(core._tarvel_chart_draw(LAYOUTS[layout]));
    const texts = coreTexts();
    const v = makeView({ xMin: n[0], xMax: n[1], yMin: n[2], yMax: n[3] }, width, height);
    pressure = texts[0];
    const key = [layout, width, height, ...n.subarray(0, 5)].join(" ");
    // Read before the lines are asked for, which reuses the core's lists.
    const mark = [n[6], v.x(n[7]), v.y(n[8]), texts.slice(1, 7)];
    if (key !== linesKey) {
      drawLines(v);
      linesKey = key;
    }
    drawMark(v, ...mark);
    view = v;
  }

  function drawLines(v) {
    const { plot: p, width, height } = v;
    const n = coreNumbers(core._tarvel_chart_lines());
    const texts = coreTexts();
    const lines = element("g", { class: "lines", "clip-path": "url(#chart-clip)" });
    const curves = [];
    for (let at = 0, text = 0; at < n.length; text++) {
      const kind = KINDS[n[at]];
      const labelled = n[at + 2] === 1;
      const pointCount = n[at + 3];
      at += 4;
      const points = [];
      for (let i = 0; i < pointCount; i++, at += 2) points.push([v.x(n[at]), v.y(n[at + 1])]);
      curves.push({ kind, labelled, points, value: texts[text] });
      lines.append(element("path", { class: kind, d: pathOf(points) }));
    }
    // The relative humidities are named where the saturation curve comes within a sixth of the
    // plot's height of its top: there the curves stand well apart.
    const saturation = curves.find((curve) => curve.kind === "saturation");
    let labelX = null;
    if (saturation) {
      const high = saturation.points.find(([, y]) => y <= p.top + (p.bottom - p.top) / 6);
      if (high) labelX = Math.min(Math.max(high[0], p.left + 30), p.right - 36);
    }
    const labels = element("g", { class: "labels" });
    for (const { kind, labelled, points, value } of curves) {
      const label = labelled && points.length >= 2 ? labelOf(kind, points, value, v, labelX) : null;
      if (label) {
        labels.append(element("text", { class: "label " + kind, x: label.x.toFixed(1),
          y: label.y.toFixed(1), "text-anchor": label.anchor }, label.text));
      }
    }

    const captions = element("g", { class: "captions" });
    const caption = (x, y, anchor, content, rotate) => captions.append(element("text",
      Object.assign({ x, y, "text-anchor": anchor },
        rotate ? { transform: `rotate(-90 ${x} ${y})` } : {}), content));
    caption(p.left, 18, "start", "大气压力 " + pressure + " kPa");
    caption(p.right, 18, "end", "相对湿度 φ");
    const tCaption = "干球温度 t (℃)";
    const dCaption = "含湿量 d (g/kg)";
    if (layout === "hd") {
      caption((p.left + p.right) / 2, height - 8, "middle", dCaption);
      caption(13, (p.top + p.bottom) / 2, "middle", tCaption, true);
      caption(p.right - 6, p.bottom - 8, "end", "焓 h (kJ/kg)");
    } else {
      caption((p.left + p.right) / 2, height - 8, "middle", tCaption);
      caption(width - 8, (p.top + p.bottom) / 2, "middle", dCaption, true);
      caption(p.left + 6, p.top + 16, "start", "焓 h (kJ/kg)");
    }

    const area = { x: p.left, y: p.top, width: p.right - p.left, height: p.bottom - p.top };
    for (const [key, value] of Object.entries(area)) clipArea.setAttribute(key, value);
    svg.setAttribute("viewBox", `0 0 ${width} ${height}`);
    plot.replaceChildren(element("rect", Object.assign({ class: "area" }, area)), lines);
    drawing.replaceChildren(element("rect", Object.assign({ class: "frame" }, area)), labels,
      captions);
  }

  // The marker with its short label (mark 1 at the state, 2 at the range's edge, 0 none), and the
  // label a screen reader reads.
  function drawMark(v, mark, x, y, values) {
    let label = "焓湿图（" + (layout === "hd" ? "h-d 图" : "t-d 图") + "），大气压力 " + pressure +
      " kPa";
    if (mark) {
      const p = v.plot;
      const point = element("g", { id: "chart-point", class: mark === 2 ? "at-edge" : "" });
      const right = x > (p.left + p.right) / 2;
      point.append(element("circle", { cx: x.toFixed(1), cy: y.toFixed(1), r: 5 }),
        element("text", { x: (x + (right ? -9 : 9)).toFixed(1), y: (y - 9).toFixed(1),
          "text-anchor": right ? "end" : "start" },
        values[0] + " ℃ · " + values[2] + " ％ · " + values[4] + " g/kg"));
      markLayer.replaceChildren(point);
      label += "；状态点：" + READOUT_ORDER.map((i) => quantity(i, values[i])).join("，");
    } else {
      markLayer.replaceChildren();
    }
    svg.setAttribute("aria-label", label);
  }

  // The state under the pointer, as the core picks it: null when there is none.
  function stateAt(event) {
    if (view === null) return null;
    const matrix = svg.getScreenCTM();
    if (matrix === null) return null;
    const at = new DOMPoint(event.clientX, event.clientY).matrixTransform(matrix.inverse());
    const found = core._tarvel_chart_pick(view.planeX(at.x), view.planeY(at.y));
    if (found === 0) return null;
    const texts = coreTexts();
    return { dryBulb: texts[0], moisture: texts[1], values: found === 2 ? texts.slice(2) : null };
  }

  function showReadout(state) {
    const values = state && state.values;
    readout.replaceChildren(...(values ? READOUT_ORDER.map((i) => {
      const item = document.createElement("span");
      item.textContent = quantity(i, values[i]);
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

  // The chart as drawn, as a file of its own: the font of "℃" and the page's font stack go with it.
  function standalone() {
    const copy = svg.cloneNode(true);
    copy.setAttribute("xmlns", SVG);
    copy.setAttribute("width", view.width);
    copy.setAttribute("height", view.height);
    copy.style.fontFamily = getComputedStyle(svg).fontFamily;
    copy.prepend(element("style", {}, tarvelUnitsFont));
    return new XMLSerializer().serializeToString(copy);
  }

  let downloadUrl = null;
  function download(name, blob) {
    if (downloadUrl !== null) URL.revokeObjectURL(downloadUrl);
    downloadUrl = URL.createObjectURL(blob);
    const link = Object.assign(document.createElement("a"), { href: downloadUrl, download: name });
    document.body.append(link);
    link.click();
    link.remove();
  }

  function saveSvg() {
    download("tarvel-chart.svg", new Blob([standalone()], { type: "image/svg+xml" }));
  }

  // Drawn at twice its size on the page, for a sharp picture in a report.
  function savePng() {
    const image = new Image();
    image.addEventListener("load", () => {
      const canvas = document.createElement("canvas");
      canvas.width = view.width * 2;
      canvas.height = view.height * 2;
      canvas.getContext("2d").drawImage(image, 0, 0, canvas.width, canvas.height);
      canvas.toBlob((blob) => download("tarvel-chart.png", blob), "image/png");
    }, { once: true });
    image.src = "data:image/svg+xml;charset=utf-8," + encodeURIComponent(standalone());
  }

  plot.addEventListener("pointermove", follow);
  plot.addEventListener("pointerdown", follow);
  plot.addEventListener("pointerleave", () => showReadout(null));
  plot.addEventListener("click", pick);
  layoutButtons.hd.addEventListener("click", () => choose("hd"));
  layoutButtons.td.addEventListener("click", () => choose("td"));
  document.getElementById("chart-save-svg").addEventListener("click", saveSvg);
  document.getElementById("chart-save-png").addEventListener("click", savePng);
  new ResizeObserver(() => {
    size = [svg.clientWidth, svg.clientHeight];
    redraw();
  }).observe(svg);
  choose(layout);

  return {
    redraw,
    // After a command: the state is marked when it ended without a message (mark true), and
    // removed otherwise.
    afterCommand(mark) {
      core._tarvel_chart_mark(mark ? 1 : 0);
      redraw();
    },
  };
}
