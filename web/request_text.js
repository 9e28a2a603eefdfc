// A design request as the JSON text the core reads and a link holds. JSON.stringify cannot be
// trusted with a request from a link: it recurses once per level of nesting, and a link may nest
// arrays a million deep (the core answers such a point with a message), so the text is written
// here with a stack of its own.
"use strict";

// The text JSON.stringify would write for a value parsed from JSON or built by the panel (no
// spaces, keys in their order, undefined members left out), but with every text, keys included,
// as the window hands a field's text to the core: a lone surrogate (which a JavaScript string, like
// a Qt one, can hold) becomes "?".
function tarvelRequestText(value) {
  const LONE = /\p{Cs}/u;
  const quoted = (text) => JSON.stringify(LONE.test(text) ? text.replace(/\p{Cs}/gu, "?") : text);
  // Values still to be written, last first; LITERAL on top of a text means that text as it is.
  const LITERAL = Symbol("literal");
  const work = [value];
  const parts = [];
  while (work.length > 0) {
    const item = work.pop();
    if (item === LITERAL) {
      parts.push(work.pop());
    } else if (typeof item === "string") {
      parts.push(quoted(item));
    } else if (Array.isArray(item)) {
      parts.push("[");
      work.push("]", LITERAL);
      for (let i = item.length - 1; i >= 0; i--) {
        work.push(item[i] === undefined ? null : item[i]);
        if (i > 0) work.push(",", LITERAL);
      }
    } else if (item !== null && typeof item === "object") {
      parts.push("{");
      work.push("}", LITERAL);
      const keys = Object.keys(item).filter((key) => item[key] !== undefined);
      for (let i = keys.length - 1; i >= 0; i--) {
        work.push(item[keys[i]], (i > 0 ? "," : "") + quoted(keys[i]) + ":", LITERAL);
      }
    } else {
      parts.push(JSON.stringify(item));  // a number (NaN and infinities as null), true, false, null
    }
  }
  return parts.join("");
}
