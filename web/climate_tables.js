// What the climate panel shows of a weather file read: the station, the record and why hours take
// no part, the outdoor design conditions with the annual percentiles, and the outdoor states W,
// each text as the core wrote it (the answer tarvel-climate --json prints). Texts of the file are
// shown as text, never as markup.
"use strict";

// `quantities` holds each field's caption and unit by its index in the core; use(season) puts the
// outdoor state of "summer" or "winter" into the process panel.
function tarvelClimateTables(quantities, use) {
  const element = (id) => document.getElementById(id);
  const UNKNOWN = "—";
  // A text of the file longer than this is shown cut short (a station may be named by 10^7
  // characters).
  const LONGEST = 200;
  const PERCENTILE_GROUPS = [["cooling", "供冷"], ["evaporation", "蒸发"],
    ["dehumidification", "除湿"], ["heating", "供暖"]];
  const SEASONS = [["summer", "夏季"], ["winter", "冬季"]];

  const clipped = (text) => (text.length > LONGEST ? text.slice(0, LONGEST) + "…" : text);
  const withUnit = (text, unit) => (text === null ? UNKNOWN : text + " " + unit);

  function node(tag, text, attributes = {}) {
    const made = Object.assign(document.createElement(tag), attributes);
    if (text !== undefined) made.textContent = text;
    return made;
  }

  function row(cells, header = false) {
    const tr = document.createElement("tr");
    cells.forEach((cell, k) => tr.append(cell instanceof Node ? cell
      : node(header || k === 0 ? "th" : "td", cell)));
    return tr;
  }

  function showStation(station) {
    const place = [["纬度 ", station.latitude, ""], ["经度 ", station.longitude, ""],
      ["海拔 ", station.elevation, " m"]].filter(([, value]) => value !== null)
      .map(([name, value, unit]) => name + clipped(value) + unit);
    element("climate-station").textContent = "气象站：" +
      (station.name === null ? "（文件未给出）" : clipped(station.name)) +
      (station.country === null ? "" : "，" + clipped(station.country)) +
      (place.length ? "（" + place.join("，") + "）" : "");
  }

  // The record's counts, its notes and the commonest reasons why hours take no part.
  function showRecord(answer, shown) {
    element("climate-counts").textContent = "记录：" + answer.years + " 年，" + answer.hours +
      " 小时；不参加统计 " + answer.missing + " 小时";
    const lines = shown.notes.map((note) => "说明：" + clipped(note));
    for (const [key, what] of [["missing", "缺测"], ["message", "计算有提示"],
      ["unreadable", "无法读取"]]) {
      if (shown.tally[key] === 0) continue;
      const reasons = shown.reasons[key].map(({ text, hours }) =>
        clipped(text) + (hours > 1 ? "（" + hours + " 小时）" : ""));
      lines.push("说明：" + what + " " + shown.tally[key] + " 小时，不参加统计：" +
        reasons.join("；") + (shown.reasons[key].length < shown.tally[key] ? "……" : ""));
    }
    element("climate-notes").replaceChildren(...lines.map((line) => node("li", line)));
  }

  function showConditions(answer, shown) {
    const conditions = answer.conditions;
    const rows = shown.conditions.map(({ key, name, unit }) =>
      row([name, withUnit(conditions[key], unit)]));
    if (shown.hottest !== null && shown.coldest !== null) {
      rows.push(row(["最热月、最冷月", shown.hottest + " 月、" + shown.coldest + " 月"]));
    }
    element("climate-conditions").tBodies[0].replaceChildren(...rows);
    element("climate-percentiles-title").textContent = "年百分位设计参数（全部记录，" +
      shown.tally.state + " 个有状态的小时）";
    const percentiles = [];
    for (const [group, name] of PERCENTILE_GROUPS) {
      for (const figures of conditions[group]) {
        percentiles.push(row([name + " " + figures.percent + " %",
          shown.percentiles[group].map((figure) =>
            figure.name + " " + withUnit(figures[figure.key], figure.unit)).join("，")]));
      }
    }
    element("climate-percentiles").tBodies[0].replaceChildren(...percentiles);
  }

  // The outdoor states W, a column for each season: the pressure, the six fields, the messages,
  // and the button that puts it into the process panel.
  function showOutdoor(outdoor) {
    const states = SEASONS.map(([season]) => outdoor[season]);
    const rows = [row(["", ...SEASONS.map(([, name]) => name)], true)];
    rows.push(row(["当地大气压力 kPa", ...states.map((s) => (s ? s.pressure : UNKNOWN))]));
    quantities.slice(0, 6).forEach(({ caption, unit }, i) => {
      rows.push(row([caption + " " + unit, ...states.map((s) => (s && s.fields[i] !== "" ?
        s.fields[i] : UNKNOWN))]));
    });
    rows.push(row(["提示", ...states.map((s) => (s ? s.messages.map((m) => m.text).join("；")
      : "无法求得：所需的参数未知"))]));
    const buttons = SEASONS.map(([season, name], k) => {
      const button = node("button", "用作室外状态", { type: "button", disabled: !states[k] });
      button.dataset.season = season;
      button.setAttribute("aria-label", name + "室外状态 W 用作空调过程的室外状态");
      button.addEventListener("click", () => use(season));
      const td = node("td");
      td.append(button);
      return td;
    });
    rows.push(row([node("th"), ...buttons]));
    element("climate-outdoor").tBodies[0].replaceChildren(...rows);
  }

  return {
    show(answer, shown) {
      showStation(answer.station);
      showRecord(answer, shown);
      showConditions(answer, shown);
      showOutdoor(answer.outdoor);
    },
  };
}
