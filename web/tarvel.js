// Tarvel's page: the seven fields and the messages. The calculation is the core's own
// (tarvel-core.js, the same C++ as the desktop program, compiled to WebAssembly, reached through
// core_handover.js); this script only hands it the field texts, applies what the command wrote and
// shows what it said. Once the window is shown it starts what stands beside it: the chart
// (chart.js), the altitude helper, the process panel and the climate panel (panels.js).
"use strict";

(() => {
  // The fields by their index in the core (data-field): Text(0) to Text(5), then the pressure
  // Text4. The form is written from the desktop window's own table when the page is built.
  const fields = [];
  for (const input of document.querySelectorAll("#form1 input[data-field]"))
    fields[Number(input.dataset.field)] = input;
  // Each field's caption and unit as its two labels show them, e.g. "干球温度" and "℃".
  const quantities = fields.map((field) => {
    const [caption, unit] = field.getAttribute("aria-labelledby").split(" ").map(
      (id) => document.getElementById(id).textContent);
    return { caption, unit };
  });
  const form = document.getElementById("form1");
  const chartPanel = document.getElementById("chart-panel");
  const dialog = document.getElementById("message");
  const dialogTitle = document.getElementById("message-title");
  const dialogText = document.getElementById("message-text");
  const dialogButton = document.getElementById("message-ok");

  let core = null;
  let chart = null;
  // The six parameter texts the last calculate command started from, while no parameter field
  // has been edited since: the state in the window, as the process panel keeps it.
  let calculatedFrom = null;

  // Where each entry of a command's record stands (set when the core has loaded).
  let NUMBER = null;
  let TEXT = null;

  // What the core recorded for a command ("calculate", "clear" or "start_up"), in order:
  // {field, text} for a text written into a field, {text, icon, title} for a message.
  function records(command) {
    core.call(command);
    const n = core.numbers();
    const t = core.texts();
    const numbers = core.names.recordNumbers.length;
    const texts = core.names.recordTexts.length;
    const list = [];
    for (let k = 0; k * numbers < n.length; k++) {
      const part = (name) => t[k * texts + TEXT[name]];
      const field = n[k * numbers + NUMBER.field];
      list.push(field >= 0 ? { field, text: part("text") }
        : { text: part("text"), icon: part("icon"), title: part("title") });
    }
    return list;
  }

  // Gives the core the text of field 0 to 6.
  function handOver(index) {
    core.give(fields[index].value);
    core.call("set_text", index);
  }

  // Runs one command of the core ("calculate" or "clear") on the fields' current texts.
  function runCommand(name) {
    fields.forEach((field, index) => handOver(index));
    return records(name);
  }

  // A modal message box; resolves when it is closed (its button, Enter or Escape). The focus moves
  // into it and returns to where it was.
  function showMessage({ text, icon, title }) {
    return new Promise((resolve) => {
      const previous = document.activeElement;
      dialog.dataset.icon = icon;
      dialogTitle.textContent = title;
      dialogText.textContent = text;
      dialog.addEventListener("close", () => {
        if (previous instanceof HTMLElement && previous !== document.body) previous.focus();
        resolve();
      }, { once: true });
      dialog.showModal();
      dialogButton.focus();
    });
  }

  dialogButton.addEventListener("click", () => dialog.close());
  dialog.addEventListener("keydown", (event) => {
    if (event.key === "Enter") {
      event.preventDefault();
      dialog.close();
    }
  });

  // Applies a command's records in order: the fields it wrote are visible while a message that
  // follows is open.
  async function play(list) {
    for (const record of list) {
      if (record.field !== undefined) fields[record.field].value = record.text;
      else await showMessage(record);
    }
  }

  // A command runs only while no message is open (a modal message makes the page inert anyway).
  // Everything up to the first message happens inside the click, the chart's new drawing too: it
  // marks the state of a calculation that ended without a message and no other.
  function command(name) {
    if (core === null || dialog.open) return;
    try {
      const before = fields.slice(0, 6).map((field) => field.value);
      const list = runCommand(name);
      calculatedFrom = name === "calculate" ? before : null;
      play(list).catch((error) => console.error("Tarvel:", error));
      const completed = list.every((record) => record.field !== undefined);
      if (chart !== null) chart.afterCommand(name === "calculate" && completed);
    } catch (error) {
      console.error("Tarvel:", error);
    }
  }

  // A state picked on the chart: typed as its dry bulb and moisture content, every other parameter
  // field emptied, the chart's pressure written into an empty pressure field, then calculated.
  function pick(dryBulb, moisture, pressure) {
    fields.slice(0, 6).forEach((field) => { field.value = ""; });
    fields[0].value = dryBulb;
    fields[4].value = moisture;
    if (fields[6].value === "") fields[6].value = pressure;
    command("calculate");
  }

  document.getElementById("Command1").addEventListener("click", () => command("calculate"));
  document.getElementById("Command2").addEventListener("click", () => command("clear"));

  // Start-up: the credit while the window loads; when it is closed, the window with every field
  // empty and the focus in the dry-bulb field.
  TarvelCore().then(async (instance) => {
    core = tarvelHandover(instance);
    NUMBER = core.entries("recordNumbers", "field");
    TEXT = core.entries("recordTexts", "text icon title");
    const closed = play(records("start_up"));
    performance.mark("tarvel-start-up");  // the credit is open
    await closed;
    form.classList.remove("loading");
    chartPanel.classList.remove("loading");
    // The chart is drawn once the window is shown, so that it does not delay the credit.
    chart = tarvelChart({ core, quantities, handOver, pick, busy: () => dialog.open });
    fields[6].addEventListener("input", () => chart.redraw());
    for (const field of fields.slice(0, 6))
      field.addEventListener("input", () => { calculatedFrom = null; });
    tarvelAltitude({ core, pressureField: fields[6] });
    document.getElementById("altitude").classList.remove("loading");
    const design = tarvelDesignPanel({ core, chart, quantities,
      stateTexts: () => calculatedFrom ?? fields.slice(0, 6).map((field) => field.value),
      pressureText: () => fields[6].value });
    tarvelClimatePanel({ core, chart, quantities, design });
    for (const id of ["design-panel", "climate-panel", "design-table-panel"])
      document.getElementById(id).classList.remove("loading");
    fields[0].focus();
  }, (error) => console.error("Tarvel: the calculation core did not load:", error));
})();
