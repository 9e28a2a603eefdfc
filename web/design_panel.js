// The process panel (空调过程) beside the window: a design of air conditioning put together point
// by point — the window's state kept under a name, processes added from short forms, points
// removed, two examples, a link that reopens it — computed by the core, drawn on the chart and
// listed in the table. Its parts: design_core.js (the core), design_model.js (the request),
// design_forms.js, design_table.js, design_layer.js (the chart) and design_link.js.
"use strict";

// Called by tarvel.js once the window is shown. `page` gives the core (tarvelHandover's), the
// chart, quantities (each field's caption and unit by its index in the core), stateTexts() (the
// six parameter texts of the
// state in the window, as the calculate command takes or took them) and pressureText() (the
// pressure field's). Returns what other panels may do with the design (putState).
function tarvelDesignPanel(page) {
  const designCore = tarvelDesignCore(page.core);
  const model = tarvelDesignModel();
  const forms = tarvelDesignForms(document.getElementById("design-inputs"), page.quantities,
    page.core);
  const table = tarvelDesignTable(document.getElementById("design-states"), remove);
  const layer = tarvelDesignLayer(page.chart);
  const element = (id) => document.getElementById(id);
  const pressure = element("design-pressure");
  const status = element("design-status");
  const kind = element("design-kind");
  const linkField = element("design-link");
  // The request's keys of the six parameters, in field order, as the core names them.
  const PARAMETERS = page.core.names.parameters;

  function say(text) {
    status.textContent = text;
  }

  // Shows an answer of the core (the design last handed to it): drawn, listed, its names offered.
  function show(answer) {
    if (answer.error !== undefined) say("设计有误：" + answer.error);
    else if (answer.messages) say(answer.messages.map((message) => message.text).join("；"));
    layer.show(answer.error === undefined ? answer : null);
    table.show(designCore.table());
    forms.setNames(model.names());
  }

  function compute() {
    say("");
    show(designCore.answer(model.request()));
  }

  function remove(index) {
    model.remove(index);
    compute();
  }

  // A name for a new point, or null (and the user is told) when none was typed.
  function nameFrom(input) {
    if (input.value !== "") return input.value;
    say("请输入状态点名称");
    input.focus();
    return null;
  }

  // The state in the window, kept as a point: the first two parameters given, as the calculate
  // command takes them. An empty design takes the window's pressure.
  element("design-keep").addEventListener("submit", (event) => {
    event.preventDefault();
    const name = nameFrom(element("design-keep-name"));
    if (name === null) return;
    const texts = page.stateTexts();
    const state = {};
    for (let i = 0; i < texts.length && Object.keys(state).length < 2; i++) {
      if (texts[i] !== "") state[PARAMETERS[i]] = texts[i];
    }
    if (model.request().points.length === 0 && pressure.value === "") {
      pressure.value = page.pressureText();
      model.setPressure(pressure.value);
    }
    model.add({ name, state });
    element("design-keep-name").value = "";
    compute();
  });

  element("design-add").addEventListener("submit", (event) => {
    event.preventDefault();
    const name = nameFrom(element("design-name"));
    if (name === null) return;
    model.add(forms.point(name));
    element("design-name").value = "";
    compute();
  });

  kind.append(...forms.kinds.map(({ id, caption }) => new Option(caption, id)));
  kind.addEventListener("change", () => forms.show(kind.value));
  forms.show(kind.value);

  pressure.addEventListener("change", () => {
    model.setPressure(pressure.value);
    compute();
  });

  function load(request) {
    model.load(request);
    pressure.value = typeof request.pressure === "string" ? request.pressure : "";
    linkField.hidden = true;
  }

  // The examples, the very requests of the golden test file (embedded when the page is built).
  for (const button of document.querySelectorAll("#design-panel [data-example]")) {
    button.addEventListener("click", () => {
      load(structuredClone(tarvelDesignExamples[Number(button.dataset.example)]));
      compute();
    });
  }

  element("design-clear").addEventListener("click", () => {
    model.clear();
    compute();
  });

  element("design-save-csv").addEventListener("click", () => {
    tarvelDownload("tarvel-design.csv", new Blob([designCore.csv()], { type: "text/csv" }));
  });

  element("design-copy-link").addEventListener("click", async () => {
    const link = tarvelDesignLink.of(model.request());
    linkField.value = link;
    linkField.hidden = false;
    const copied = await tarvelDesignLink.copy(link);
    say(copied ? "链接已复制" : "请复制地址栏或下面的链接");
    if (!copied) linkField.select();
  });

  // A link's design: computed and drawn as it is; what is wrong with it is said, and the panel
  // is left with an empty design.
  function openLink(hash) {
    const link = tarvelDesignLink.read(hash);
    if (link === null) return;
    let request = null;
    let answer = { error: link.problem };
    if (link.problem === undefined) {
      try {
        request = JSON.parse(link.text);
      } catch (error) {
        request = null;
      }
      // Text that is no JSON goes to the core as it is: the core says what is wrong with it.
      answer = designCore.answer(request === null ? link.text : request);
    }
    if (answer.error !== undefined) {
      load({ command: "design", pressure: "", points: [] });
      compute();
      say("链接中的设计有误：" + answer.error);
      return;
    }
    load(request);
    say("");
    show(answer);
  }

  window.addEventListener("hashchange", () => openLink(location.hash));
  openLink(location.hash);

  return {
    // A state from elsewhere (the climate panel's outdoor state W), as a `state` point of its two
    // input texts (inputs, by the request's keys) at `statePressure`: it replaces the point of
    // that name, or is added after the others. An empty design takes its pressure; a design with
    // points keeps its own, the state is completed at that pressure, and the panel says so.
    putState(name, inputs, statePressure, what) {
      const empty = model.request().points.length === 0;
      if (empty) {
        pressure.value = statePressure;
        model.setPressure(statePressure);
      }
      model.put({ name, state: { ...inputs } });
      compute();
      if (model.request().pressure !== statePressure) {
        const told = status.textContent;
        say((told ? told + "；" : "") + name + " 按设计的大气压力 " + model.request().pressure +
          " kPa 计算，与" + what + " " + statePressure + " kPa 不同");
      }
    },
  };
}
