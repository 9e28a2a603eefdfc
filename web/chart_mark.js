// The state last calculated on the chart: its marker with a short label (t, φ, d), and the
// chart's accessible label, which names the layout, the pressure and that state.
"use strict";

// `quantities` holds each field's caption and unit by its index in the core; described(values)
// names the six parameters of a state for the readout and for a screen reader.
function tarvelChartMark(svg, quantities, described) {
  const { element } = tarvelChartDrawing;
  const group = document.getElementById("chart-mark");
  const pressureUnit = quantities[6].unit;  // the pressure is the core's field 6

  // Each layout's name as its button shows it ("h-d 图").
  const layoutNames = {};

  // Draws the mark (tarvelChartCore's draw(...).mark, or null) on the view of the layout.
  return function draw(view, layout, mark, pressureCaption) {
    const layoutName = layoutNames[layout] ??=
      document.getElementById("chart-layout-" + layout).textContent;
    let label = "焓湿图（" + layoutName + "），大气压力 " + pressureCaption + " " + pressureUnit;
    if (mark) {
      const p = view.plot;
      const x = view.x(mark.x);
      const y = view.y(mark.y);
      const right = x > (p.left + p.right) / 2;
      const v = mark.values;
      const short = v[0] + " " + quantities[0].unit + " · " + v[2] + " " + quantities[2].unit +
        " · " + v[4] + " " + quantities[4].unit;
      const point = element("g", { id: "chart-point", class: mark.atEdge ? "at-edge" : "" });
      point.append(element("circle", { cx: x.toFixed(1), cy: y.toFixed(1), r: 5 }),
        element("text", { x: (x + (right ? -9 : 9)).toFixed(1), y: (y - 9).toFixed(1),
          "text-anchor": right ? "end" : "start" }, short));
      group.replaceChildren(point);
      label += "；状态点：" + described(mark.values).join("，");
    } else {
      group.replaceChildren();
    }
    svg.setAttribute("aria-label", label);
  };
}
