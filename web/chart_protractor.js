// The heat-moisture ratio protractor (热湿比标尺) of the 焓湿图, in the plot's lower right corner,
// where no air below saturation stands: a ray for each ratio ε the core lists, as the core places
// it, with its value written along it. A line of a design with ratio ε is parallel to the ray of
// that ε. The t–d chart has none (lines of constant ε are curved there).
"use strict";

// `chartCore` is tarvelChartCore's; returns the draw function of a chart layer (chart.addLayer).
function tarvelChartProtractor(chartCore) {
  const { element, path } = tarvelChartDrawing;

  return function draw({ group, view, layout, changed }) {
    if (!changed) return;
    if (layout !== "hd") {
      group.replaceChildren();
      return;
    }
    const p = view.plot;
    // The rays fan out to the right of the centre, from straight up to straight down, with room
    // for their labels; the ray straight down passes left of the enthalpy scale's caption.
    const radius = Math.min(Math.max(Math.min(p.right - p.left, p.bottom - p.top) * 0.13, 32), 90);
    const cx = p.right - radius - 90;
    const cy = p.bottom - radius - 18;
    const x0 = view.planeX(cx);
    const y0 = view.planeY(cy);
    const rays = chartCore.protractor(x0, y0, view.planeX(cx + radius) - x0,
      view.planeY(cy - radius) - y0);
    const scale = element("g", { class: "protractor" });
    scale.append(element("text", { x: (cx - 6).toFixed(1), y: (cy + 3).toFixed(1),
      "text-anchor": "end" }, "ε (kJ/kg)"));
    for (const ray of rays) {
      const x = view.x(ray.x);
      const y = view.y(ray.y);
      // The label on the ray's line, a little beyond its end, turned with it.
      const angle = Math.atan2(y - cy, x - cx) * 180 / Math.PI;
      const lx = (x + (x - cx) * 4 / radius).toFixed(1);
      const ly = (y + (y - cy) * 4 / radius).toFixed(1);
      scale.append(element("path", { d: path([[cx, cy], [x, y]]) }),
        element("text", { x: lx, y: ly, "dominant-baseline": "central",
          transform: `rotate(${angle.toFixed(1)} ${lx} ${ly})` }, ray.label));
    }
    group.replaceChildren(scale);
  };
}
