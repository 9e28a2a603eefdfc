// The chart's lines as the core computes them, with their values written beside them, the frame
// and the captions of the scales. Drawn again only when the layout, the range, the pressure or
// the drawing's size changes.
"use strict";

// `quantities` holds each field's caption and unit by its index in the core, as the window's
// labels show them: the scales are named with them.
function tarvelChartLines(svg, quantities) {
  const { element } = tarvelChartDrawing;
  const plotLayer = document.getElementById("chart-plot");
  const clipArea = document.getElementById("chart-clip-area");
  const drawingLayer = document.getElementById("chart-drawing");
  const [dryBulb, , relHumidity, , moisture, enthalpy, pressure] = quantities;

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
  function labelOf(layout, kind, points, text, v, labelX) {
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

  function labels(layout, lines, v) {
    const p = v.plot;
    // The relative humidities are named where the saturation curve comes within a sixth of the
    // plot's height of its top: there the curves stand well apart.
    const saturation = lines.find((line) => line.kind === "saturation");
    let labelX = null;
    if (saturation) {
      const high = saturation.points.find(([, y]) => y <= p.top + (p.bottom - p.top) / 6);
      if (high) labelX = Math.min(Math.max(high[0], p.left + 30), p.right - 36);
    }
    const group = element("g", { class: "labels" });
    for (const { kind, labelled, points, value } of lines) {
      const label = labelled && points.length >= 2
        ? labelOf(layout, kind, points, value, v, labelX) : null;
      if (label) {
        group.append(element("text", { class: "label " + kind, x: label.x.toFixed(1),
          y: label.y.toFixed(1), "text-anchor": label.anchor }, label.text));
      }
    }
    return group;
  }

  function captions(layout, pressureCaption, v) {
    const { plot: p, width, height } = v;
    const group = element("g", { class: "captions" });
    const caption = (x, y, anchor, content, rotate) => group.append(element("text",
      Object.assign({ x, y, "text-anchor": anchor },
        rotate ? { transform: `rotate(-90 ${x} ${y})` } : {}), content));
    caption(p.left, 18, "start", "大气压力 " + pressureCaption + " " + pressure.unit);
    caption(p.right, 18, "end", relHumidity.caption + " φ");
    const tCaption = `${dryBulb.caption} t (${dryBulb.unit})`;
    const dCaption = `${moisture.caption} d (${moisture.unit})`;
    const hCaption = `焓 h (${enthalpy.unit})`;
    if (layout === "hd") {
      caption((p.left + p.right) / 2, height - 8, "middle", dCaption);
      caption(13, (p.top + p.bottom) / 2, "middle", tCaption, true);
      caption(p.right - 6, p.bottom - 8, "end", hCaption);
    } else {
      caption((p.left + p.right) / 2, height - 8, "middle", tCaption);
      caption(width - 8, (p.top + p.bottom) / 2, "middle", dCaption, true);
      caption(p.left + 6, p.top + 16, "start", hCaption);
    }
    return group;
  }

  // Draws the lines (from tarvelChartCore's lines, in the drawing's units) on the view, for the
  // pressure with that caption.
  return function draw(layout, lines, pressureCaption, v) {
    const { plot: p, width, height } = v;
    const paths = element("g", { class: "lines", "clip-path": "url(#chart-clip)" });
    for (const { kind, points } of lines)
      paths.append(element("path", { class: kind, d: tarvelChartDrawing.path(points) }));
    const area = { x: p.left, y: p.top, width: p.right - p.left, height: p.bottom - p.top };
    for (const [key, value] of Object.entries(area)) clipArea.setAttribute(key, value);
    svg.setAttribute("viewBox", `0 0 ${width} ${height}`);
    plotLayer.replaceChildren(element("rect", Object.assign({ class: "area" }, area)), paths);
    drawingLayer.replaceChildren(element("rect", Object.assign({ class: "frame" }, area)),
      labels(layout, lines, v), captions(layout, pressureCaption, v));
  };
}
