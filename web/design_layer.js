// The design on the chart: every process as a line from its entering to its leaving state through
// the states the core gives along it (straight on the 焓湿图, curved on the t–d chart where it is
// so), the ε line of each supply state through the room's state with its value, and every point
// marked and named. A layer of the chart (chart.addLayer), drawn anew only when the design or the
// chart's lines change.
"use strict";

// `chart` is tarvelChart's; returns show(answer), which draws a design's answer (null: none).
function tarvelDesignLayer(chart) {
  const { element, path } = tarvelChartDrawing;
  const LINE_HEIGHT = 13;  // between the names of points that stand at one place
  let answer = null;
  let version = 0;
  let drawnVersion = -1;

  function draw({ group, place, view, changed }) {
    if (!changed && drawnVersion === version) return;
    drawnVersion = version;
    if (answer === null) {
      group.replaceChildren();
      return;
    }
    const onDrawing = (states) => path(states.map(([t, d]) => place(t, d)));
    const lines = element("g", { class: "design-lines", "clip-path": "url(#chart-clip)" });
    const labels = element("g", { class: "design-labels" });
    answer.points.forEach((point, index) => {
      const figures = point.figures;
      if (!figures || !figures.ratio_line) return;
      const line = figures.ratio_line;
      lines.append(element("path", { class: "ratio-line", "data-point": index,
        d: onDrawing(line) }));
      const [x, y] = place(...line[line.length - 1]);
      labels.append(element("text", { class: "ratio-label", x: (x + 4).toFixed(1),
        y: (y - 4).toFixed(1) }, "ε = " + figures.ratio_text));
    });
    for (const step of answer.steps) {
      const paths = step.process === "mix" ? step.streams.map((stream) => stream.path)
        : [step.path];
      for (const states of paths) {
        lines.append(element("path", { class: "process " + step.process, "data-to": step.to,
          d: onDrawing(states), "marker-end": "url(#design-arrow)" }));
      }
    }
    // Names of points at one place are stacked.
    const taken = new Map();
    const marks = element("g", { class: "design-points" });
    chart.core.designPoints().forEach((at, index) => {
      if (at === null) return;
      const x = view.x(at.x);
      const y = view.y(at.y);
      const key = Math.round(x) + " " + Math.round(y);
      const above = taken.get(key) || 0;
      taken.set(key, above + 1);
      marks.append(element("circle", { class: at.atEdge ? "at-edge" : "", "data-point": index,
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
