// The short forms by which the process panel adds a point made by a process from earlier points:
// one for each process, with the captions and units of Chinese textbooks and of the window. A
// parameter may be typed or taken from an earlier point ("取自"), as a user copies a number from
// the window. The form only gathers texts: the core checks and computes them.
"use strict";

// `container` holds the inputs of the chosen process; quantities holds each field's caption and
// unit by its index in the core, as the window's labels show them; `core` is tarvelHandover's,
// whose names give the request's keys and the processes' Chinese names.
function tarvelDesignForms(container, quantities, core) {
  // The request's keys of the six parameters in field order, and the keys that copy each from an
  // earlier point.
  const PARAMETERS = core.names.parameters;
  const COPIED = core.names.copiedParameters;
  // A process by its key, with its Chinese name and what this form says of it beside.
  const PROCESSES = core.namedTexts("processes");
  const process = (key, qualifier) => {
    if (!Object.hasOwn(PROCESSES, key)) throw new Error(`the core names no process ${key}`);
    return { process: key, caption: PROCESSES[key] + qualifier };
  };
  const parameter = (key) => {
    const { caption, unit } = quantities[PARAMETERS.indexOf(key)];
    return { key, caption, unit, copy: true };
  };
  const from = { key: "point", caption: "由状态点", point: true };
  // A humidifier's target: a relative humidity or a moisture content.
  const target = { target: ["rel_humidity", "moisture"], caption: "加湿到" };
  const stream = (k, caption) => [{ key: "point", stream: k, caption, point: true },
    { key: "flow", stream: k, caption: "风量", unit: "kg/s" }];
  const KINDS = [
    { id: "supply", ...process("supply", "（室内负荷）"), inputs: [
      { key: "room", caption: "室内状态点", point: true },
      { key: "heat_load", caption: "余热量 Q", unit: "kW" },
      { key: "moisture_load", caption: "余湿量 W", unit: "g/s" },
      { key: "difference", caption: "送风温差 Δt", unit: quantities[0].unit }] },
    { id: "mix", ...process("mix", ""), inputs: [...stream(0, "气流一"), ...stream(1, "气流二")] },
    { id: "heat", ...process("heat", "（到干球温度）"), inputs: [from, parameter("dry_bulb")] },
    { id: "power", ...process("heat", "（加热量）"), inputs: [from,
      { key: "power", caption: "加热量（冷却为负）", unit: "kW" },
      { key: "flow", caption: "风量（可不填）", unit: "kg/s", optional: true }] },
    { id: "coil", ...process("coil", "（表冷器）"),
      inputs: [from, parameter("rel_humidity"), parameter("moisture")] },
    { id: "spray", ...process("spray", "（等焓）"), inputs: [from, target] },
    { id: "steam", ...process("steam", "（等温）"), inputs: [from, target] },
  ];

  let kind = KINDS[0];
  let names = [];
  // The inputs shown, with the elements that hold their texts.
  let shown = [];

  const idOf = (input) => "design-" + (input.stream === undefined ? "" : `stream${input.stream}-`)
    + (input.target ? "target" : input.key);

  function select(id, label) {
    const element = Object.assign(document.createElement("select"), { id });
    if (label) element.setAttribute("aria-label", label);
    return element;
  }

  // Fills a select with a first option (or none) and the points' names, keeping its choice.
  function fill(element, first) {
    const chosen = element.value;
    const options = first ? [new Option(first, "")] : [];
    for (const name of names) options.push(new Option(name, name));
    element.replaceChildren(...options);
    if ([...element.options].some((option) => option.value === chosen)) element.value = chosen;
  }

  function row(input) {
    const id = idOf(input);
    const line = Object.assign(document.createElement("div"), { className: "design-input" });
    const label = Object.assign(document.createElement("label"), { htmlFor: id,
      textContent: input.caption });
    line.append(label);
    const entry = { input };
    if (input.point) {
      entry.point = select(id);
      line.append(entry.point);
    } else {
      if (input.target) {
        entry.kind = select(id + "-kind", input.caption);
        entry.kind.append(...input.target.map((key) =>
          new Option(quantities[PARAMETERS.indexOf(key)].caption, key)));
        line.append(entry.kind);
      }
      entry.text = Object.assign(document.createElement("input"), { id, type: "text",
        autocomplete: "off", spellcheck: false });
      line.append(entry.text);
      if (input.unit) {
        line.append(Object.assign(document.createElement("span"), { className: "unit",
          textContent: input.unit }));
      }
      if (input.copy || input.target) {
        entry.copy = select(id + "-of", input.caption + " 取自状态点");
        line.append(entry.copy);
      }
    }
    shown.push(entry);
    return line;
  }

  function refresh() {
    for (const entry of shown) {
      if (entry.point) fill(entry.point, null);
      if (entry.copy) fill(entry.copy, "数值");
    }
  }

  // The value of one input in the request: {key: text} or {key_of: name}; nothing for an
  // optional input left empty.
  function valueOf(entry) {
    if (entry.point) return { [entry.input.key]: entry.point.value };
    const key = entry.kind ? entry.kind.value : entry.input.key;
    if (entry.copy && entry.copy.value !== "") {
      return { [COPIED[PARAMETERS.indexOf(key)]]: entry.copy.value };
    }
    if (entry.input.optional && entry.text.value === "") return {};
    return { [key]: entry.text.value };
  }

  return {
    kinds: KINDS.map(({ id, caption }) => ({ id, caption })),

    // Shows the inputs of the process `id` (one of kinds), empty.
    show(id) {
      kind = KINDS.find((k) => k.id === id) || KINDS[0];
      shown = [];
      container.replaceChildren(...kind.inputs.map(row));
      refresh();
    },

    // The names of the points a process may start from, for every choice of a point.
    setNames(list) {
      if (list.length === names.length && list.every((name, k) => name === names[k])) return;
      names = list;
      refresh();
    },

    // The point the form describes, named `name`, as the request gives it.
    point(name) {
      if (kind.process === "mix") {
        const streams = [];
        for (const entry of shown) {
          const k = entry.input.stream;
          streams[k] = Object.assign(streams[k] || {}, valueOf(entry));
        }
        return { name, mix: streams };
      }
      return { name, [kind.process]: Object.assign({}, ...shown.map(valueOf)) };
    },
  };
}
