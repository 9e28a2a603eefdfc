// The page's core (tarvel-core.js) as every script of the page talks to it: one page's core, made
// once, which every call is handed; texts written into its buffer as the window hands a field's
// text over; and every answer in one shape, a list of numbers and a list of texts, each entry read
// by the name the core gives it (web/handover.h, handed over once by tarvel_names), never by a
// position of a script's own.
"use strict";

// `core` is the instantiated tarvel-core.js.
function tarvelHandover(core) {
  const page = core._tarvel_page();
  const encoder = new TextEncoder();
  const decoder = new TextDecoder();

  function bytes(k) {
    const at = core._tarvel_text(page, k);
    return core.HEAPU8.subarray(at, at + core._tarvel_text_size(page, k));
  }

  function texts() {
    const list = [];
    const count = core._tarvel_text_count(page);
    for (let k = 0; k < count; k++) list.push(decoder.decode(bytes(k)));
    return list;
  }

  // Each list of names as the core gives it: its name, then its entries ("drawTexts pressure
  // parameters"); named values with their values ("layouts hd=0 td=1").
  core._tarvel_names(page);
  const names = {};
  for (const list of texts()) {
    const [name, ...entries] = list.split(" ");
    names[name] = entries;
  }

  // Writes bytes into the buffer the next call reads, as they are (a file's, which need not be
  // UTF-8). The buffer first: making it may grow the core's memory, which replaces HEAPU8.
  function giveBytes(data) {
    const buffer = core._tarvel_buffer(page, data.length);
    core.HEAPU8.set(data, buffer);
  }

  return {
    names,

    // Calls the core's entry tarvel_<name> for this page with the further arguments.
    call(name, ...args) {
      return core["_tarvel_" + name](page, ...args);
    },

    // Writes a text into the buffer the next call reads, as the window hands a field's text to
    // the core: UTF-8, a lone surrogate (which a JavaScript string, like a Qt one, can hold) as
    // "?".
    give(text) {
      giveBytes(encoder.encode(text.replace(/\p{Cs}/gu, "?")));
    },

    giveBytes,

    // The last answer's numbers as they are now: valid only until the next call of the core.
    numbers() {
      const at = core._tarvel_numbers(page) / 8;
      return core.HEAPF64.subarray(at, at + core._tarvel_number_count(page));
    },

    // The last answer's texts.
    texts,

    // The bytes of the last answer's text k, copied out.
    bytes: (k) => bytes(k).slice(),

    // Where each entry wanted (names separated by blanks) stands in the list: {name: index}. A
    // name the core does not give stops the script that asks, before anything is read from
    // undefined entries.
    entries(list, wanted) {
      const at = {};
      for (const name of wanted.split(" ")) {
        at[name] = (names[list] || []).indexOf(name);
        if (at[name] < 0) throw new Error(`the core gives no ${list} entry ${name}`);
      }
      return at;
    },

    // A list of named values as {name: value}, or of named texts ("mix=混合") as {name: text}.
    values: (list) => Object.fromEntries(names[list].map((item) => {
      const [name, value] = item.split("=");
      return [name, Number(value)];
    })),
    namedTexts: (list) => Object.fromEntries(names[list].map((item) => {
      const at = item.indexOf("=");
      return [item.slice(0, at), item.slice(at + 1)];
    })),
  };
}
