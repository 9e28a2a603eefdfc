// How the chart is drawn: the plane of a layout (physical units) mapped linearly onto the svg,
// whose unit is one CSS pixel, and the svg elements everything on it is drawn with.
"use strict";

const tarvelChartDrawing = (() => {
  const SVG = "http://www.w3.org/2000/svg";

  function element(name, attributes, text) {
    const node = document.createElementNS(SVG, name);
    for (const [key, value] of Object.entries(attributes)) node.setAttribute(key, value);
    if (text !== undefined) node.textContent = text;
    return node;
  }

  // Room around the plot for the scales and captions, in CSS pixels.
  function margins(layout) {
    return layout === "hd" ? { left: 50, right: 30, top: 30, bottom: 44 }
      : { left: 16, right: 50, top: 30, bottom: 44 };
  }

  // The plane's box onto a drawing of width × height CSS pixels, and back: the plot's edges,
  // x and y from the plane to the drawing, planeX and planeY from the drawing to the plane.
  function view(layout, box, width, height) {
    const m = margins(layout);
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

  // The outline of a polyline through points of the drawing; a point that is not finite is
  // left out.
  function path(points) {
    let d = "";
    for (const [x, y] of points) {
      if (!Number.isFinite(x) || !Number.isFinite(y)) continue;
      d += (d ? "L" : "M") + x.toFixed(1) + " " + y.toFixed(1);
    }
    return d;
  }

  return { SVG, element, view, path };
})();
