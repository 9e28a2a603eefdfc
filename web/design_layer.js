// The design on the chart: every process as a line from its entering to its leaving state through
// the states the core gives along it (straight on the 焓湿图, curved on the t–d chart where it is
// so), the ε line of each supply state through the room's state with its value, and every point
// marked and named, all placed by the core in one answer (chart.core.design). A layer of the chart
// (chart.addLayer), drawn anew only when the design or the chart's lines change.
"use strict";

// `chart` is tarvelChart's; returns show(answer), which draws a design's answer (null: none).
function tarvelDesignLayer(chart) {
  const { element, path } = tarvelChartDrawing;
  const LINE_HEIGHT = 13;  // between the names of points that stand at one place
  let answer = null;
  let version = 0;
  let drawnVersion = -1;

  function draw({ group, view, changed }) {
    if (!changed && drawnVersion === version) return;
    drawnVersion = version;
    if (answer === null) {
      group.replaceChildren();
      return;
    }
    const drawn = chart.core.design((x, y) => [view.x(x), view.y(y)]);
    const lines = element("g", { class: "design-lines", "clip-path": "url(#chart-clip)" });
    const labels = element("g", { class: "design-labels" });
    for (const line of drawn.lines) {
      if (line.kind === "ratio") {
        lines.append(element("path", { class: "ratio-line", "data-point": line.of,
          d: path(line.points) }));
        const [x, y] = line.points[line.points.length - 1];
        labels.append(element("text", { class: "ratio-label", x: (x + 4).toFixed(1),
          y: (y - 4).toFixed(1) }, "ε = " + answer.points[line.of].figures.ratio_text));
      } else {
        const step = answer.steps[line.of];
        lines.append(element("path", { class: "process " + step.process, "data-to": step.to,
          d: path(line.points), "marker-end": "url(#design-arrow)" }));
      }
    }
    // Names of points at one place are stacked.
    const taken = new Map();
    const marks = element("g", { class: "design-points" });
    drawn.points.forEach((point, index) => {
      if (point === null) return;
      const [x, y] = point.at;
      const key = Math.round(x) + " " + Math.round(y);
      const above = taken.get(key) || 0;
      taken.set(key, above + 1);
      marks.append(element("circle", { class: point.atEdge ? "at-edge" : "", "data-point": index,
        cx: x.toFixed(1), cy: y.toFixed(1), r: 3.5 }));
      labels.append(element("text", { class: "point-label", "data-point": index,
        x: (x + 6).toFixed(1), y: (y - 6 - above * LINE_HEIGHT).toFixed(1) },
      answer.points[index].name));
    });
    group.replaceChildren(lines, marks, labels);
  }

  chart.addLayer(draw);

  return {
    show(designAnswer) {
      answer = designAnswer;
      version += 1;
      chart.redraw();
    },
  };
}
