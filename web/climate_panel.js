// The climate panel (气候) beside the process panel: a weather file opened or dropped, read in the
// browser and calculated hour by hour by the core; its station and record, its hours on the chart
// as a density or as points with the zones' outlines, the zones' hours and shares for the months
// and clock hours chosen, the outdoor design conditions, and the outdoor states W put into the
// process panel. Its parts: climate_core.js (the core), climate_file.js, climate_options.js,
// climate_zones.js, climate_tables.js and climate_layer.js (the chart).
"use strict";

// Called by tarvel.js once the window is shown. `page` gives the core (tarvelHandover's), the
// chart, quantities (each field's caption and unit by its index in the core) and the design
// (tarvelDesignPanel's, whose putState takes an outdoor state).
function tarvelClimatePanel(page) {
  const climateCore = tarvelClimateCore(page.core);
  const element = (id) => document.getElementById(id);
  const status = element("climate-status");
  const results = element("climate-results");
  const SEASON_PRESSURES = { summer: "夏季大气压力", winter: "冬季大气压力" };
  const SEASON_NAMES = { summer: "夏季", winter: "冬季" };
  // A file larger than this is read after the panel has said so on the screen.
  const LARGE_FILE = 4 * 1024 * 1024;
  // The file last opened, kept to be read again with another pressure for its hours.
  let file = null;
  // The answer shown: {answer, json, shown}, or null without a file.
  let current = null;

  const zones = tarvelClimateZones(element("climate-zones"), element("climate-zones-title"),
    () => layer.show(current && current.answer, options.points()));
  const layer = tarvelClimateLayer(page.chart, climateCore, zones);
  const tables = tarvelClimateTables(page.quantities, use);
  const options = tarvelClimateOptions(page.quantities, changed);

  function say(text) {
    status.textContent = text;
  }

  // A file's name as the panel quotes it.
  const quoted = (name) => "“" + (name.length > 80 ? name.slice(0, 80) + "…" : name) + "”";

  // Shows what the core answered: the record's tables (those of the whole record only for a
  // file just read) and zones and its hours on the chart, or nothing when no file is read.
  function show(answered, read) {
    current = answered.answer === null ? null : answered;
    results.hidden = current === null;
    if (current !== null) {
      if (read) tables.show(current.answer, current.shown);
      zones.show(current.answer, current.shown);
    }
    layer.show(current && current.answer, options.points());
  }

  function read() {
    let answered = null;
    try {
      answered = climateCore.read(file.bytes);
    } catch (error) {
      // The core's memory could not grow to hold the file.
      answered = { refusal: "内存不足，文件太大", answer: null };
    }
    if (answered.refusal) {
      say("无法读入" + quoted(file.name) + "：" + answered.refusal);
      file = null;
    }
    show(answered, true);
    performance.mark("tarvel-climate-drawn");
  }

  function open(name, bytes) {
    file = { name, bytes };
    performance.mark("tarvel-climate-read");
    say("已读入" + quoted(name));
    if (bytes.length < LARGE_FILE) {
      read();
      return;
    }
    say("正在计算" + quoted(name) + "的每一个小时……");
    // Once that is on the screen.
    requestAnimationFrame(() => setTimeout(() => {
      say("已读入" + quoted(name));
      read();
    }, 0));
  }

  // The options changed: set in the core, which counts the zones again (one call); a new
  // pressure for the hours without one reads the file again.
  function changed(what) {
    if (what === "display") {
      layer.show(current && current.answer, options.points());
      return;
    }
    const answered = climateCore.options(options.values());
    say(answered.refusal);
    if (answered.refusal) return;
    if (what === "pressure" && file !== null) read();
    else if (current !== null) show(answered, false);
  }

  // The season's outdoor state W into the process panel.
  function use(season) {
    const state = current.answer.outdoor[season];
    page.design.putState(state.name, state.inputs, state.pressure, SEASON_PRESSURES[season]);
    say("已把" + SEASON_NAMES[season] + "室外状态 " + state.name + " 放入空调过程");
  }

  tarvelClimateFile(element("climate-file"), element("climate-panel"), open, (text) => {
    say(text);
  });
  element("climate-close").addEventListener("click", () => {
    file = null;
    climateCore.close();
    say("");
    show({ answer: null }, true);
  });
  element("climate-save-json").addEventListener("click", () => {
    tarvelDownload("tarvel-climate.json",
      new Blob([current.json + "\n"], { type: "application/json" }));
  });
  element("climate-save-hours").addEventListener("click", () => {
    tarvelDownload("tarvel-climate-hours.csv", new Blob([climateCore.hours()], { type: "text/csv" }));
  });
  say(climateCore.options(options.values()).refusal);
}
