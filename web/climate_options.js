// The climate panel's options: the months and clock hours drawn and counted, the activity,
// clothing and air speed of the PMV zones, the limits of the user's own zone, the pressure of the
// hours of a file that gives none, and whether the hours are drawn as a density or as points.
// Every value goes to the core as the text the user chose or typed; the core reads it.
"use strict";

// `quantities` holds each field's caption and unit by its index in the core; changed(what) is
// called with "options" when a filter or a setting changed, "pressure" for the pressure and
// "display" for density or points.
function tarvelClimateOptions(quantities, changed) {
  const element = (id) => document.getElementById(id);
  // The quantities a zone may limit, by their index in the core: dry bulb, relative humidity, dew
  // point and moisture content, in the order the core reads the limits.
  const LIMITED = [0, 2, 3, 4];
  const asText = (text) => text.replace(/\p{Cs}/gu, "?");

  function fill(select, first, last, unit, chosen) {
    for (let value = first; value <= last; value++)
      select.append(new Option(value + " " + unit, String(value), false, value === chosen));
  }
  fill(element("climate-month-from"), 1, 12, "月", 1);
  fill(element("climate-month-to"), 1, 12, "月", 12);
  fill(element("climate-hour-from"), 0, 23, "时", 0);
  fill(element("climate-hour-to"), 0, 23, "时", 23);

  // The user zone's limits: a row for each quantity, its lower and its upper limit.
  const limits = LIMITED.map((field) => {
    const { caption, unit } = quantities[field];
    const row = document.createElement("div");
    row.className = "climate-limit";
    const label = document.createElement("span");
    label.textContent = caption;
    const input = (end, name) => {
      const made = Object.assign(document.createElement("input"), { type: "text",
        autocomplete: "off", spellcheck: false, id: "climate-zone-" + field + "-" + end });
      made.setAttribute("aria-label", "自定义区域" + caption + name);
      return made;
    };
    const lower = input("lower", "下限");
    const upper = input("upper", "上限");
    const dash = document.createElement("span");
    dash.textContent = "~";
    const units = document.createElement("span");
    units.textContent = unit;
    row.append(label, lower, dash, upper, units);
    element("climate-zone-limits").append(row);
    return [lower, upper];
  });

  for (const id of ["climate-month-from", "climate-month-to", "climate-hour-from",
    "climate-hour-to", "climate-met", "climate-clo", "climate-air-speed"])
    element(id).addEventListener("change", () => changed("options"));
  for (const pair of limits) {
    for (const input of pair) input.addEventListener("change", () => changed("options"));
  }
  element("climate-pressure").addEventListener("change", () => changed("pressure"));
  for (const radio of document.querySelectorAll("input[name=climate-show]"))
    radio.addEventListener("change", () => changed("display"));

  const value = (id) => asText(element(id).value);

  return {
    // The options as the core reads them (tarvelClimateCore's options).
    values: () => ({
      month: value("climate-month-from") + "-" + value("climate-month-to"),
      hour: value("climate-hour-from") + "-" + value("climate-hour-to"),
      met: value("climate-met"),
      clo: value("climate-clo"),
      air_speed: value("climate-air-speed"),
      zone: limits.map(([lower, upper]) => [asText(lower.value), asText(upper.value)]),
      pressure: value("climate-pressure"),
    }),

    // Whether the hours are drawn as points rather than as a density.
    points: () => element("climate-show-points").checked,
  };
}
