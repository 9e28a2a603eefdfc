// The zones of the climate panel: each zone's limits, hours and share of the hours that the
// filter selects, as the core counted them, with the colour of its outline on the chart and
// whether the chart shows it (a check box before its name).
"use strict";

// `table` is the zones' table, `caption` the element that says what was counted; changed() is
// called when a zone is shown or hidden.
function tarvelClimateZones(table, caption, changed) {
  const SVG = "http://www.w3.org/2000/svg";
  // The zones the user hid, by name: they stay hidden when the zones are counted again.
  const hidden = new Set();

  // The colour of a zone's outline (the chart's style for .climate-zone-k), as a short line.
  function swatch(index) {
    const svg = document.createElementNS(SVG, "svg");
    svg.setAttribute("class", "zone-swatch");
    svg.setAttribute("viewBox", "0 0 24 8");
    svg.setAttribute("aria-hidden", "true");
    const line = document.createElementNS(SVG, "path");
    line.setAttribute("class", "climate-zone climate-zone-" + index);
    line.setAttribute("d", "M1 4H23");
    svg.append(line);
    return svg;
  }

  function cell(tag, text) {
    const made = document.createElement(tag);
    made.textContent = text;
    return made;
  }

  return {
    // Shows the answer's zones (name, hours, share) with their limits (shown.zones).
    show(answer, shown) {
      const [met, clo, speed] = shown.pmv;
      caption.textContent = "舒适区（" + shown.filter + "，" + shown.selected +
        " 个有状态的小时；PMV 按 " + met + " met、" + clo + " clo、" + speed + " m/s）";
      const rows = answer.zones.map((zone, index) => {
        const tr = document.createElement("tr");
        const show = document.createElement("input");
        show.type = "checkbox";
        show.checked = !hidden.has(zone.name);
        show.title = "在图上显示";
        show.addEventListener("change", () => {
          if (show.checked) hidden.delete(zone.name);
          else hidden.add(zone.name);
          changed();
        });
        // The name, with its outline's line, is the label of whether the chart shows it.
        const label = document.createElement("label");
        label.append(show, swatch(index), zone.name);
        const name = document.createElement("th");
        name.append(label);
        tr.append(name, cell("td", shown.zones[index].limits), cell("td", String(zone.hours)),
          cell("td", zone.share === null ? "—" : zone.share + " %"));
        return tr;
      });
      table.tBodies[0].replaceChildren(...rows);
    },

    // Whether the chart shows the zone of that name.
    shows: (name) => !hidden.has(name),
  };
}
