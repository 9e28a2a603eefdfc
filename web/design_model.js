// The design the process panel puts together: the request itself, as the core reads it
// ({"command": "design", "pressure", "points": [...]}, and whatever else a link brought, such as
// "flow"), changed point by point.
"use strict";

function tarvelDesignModel() {
  let request = { command: "design", pressure: "", points: [] };

  return {
    request: () => request,

    // A whole request: an example, or a link's the core has answered.
    load(loaded) {
      request = loaded;
    },

    setPressure(text) {
      request.pressure = text;
    },

    add(point) {
      request.points.push(point);
    },

    // Puts the point in place of the point of its name, or after the others.
    put(point) {
      const at = request.points.findIndex((known) => known !== null && typeof known === "object"
        && known.name === point.name);
      if (at < 0) request.points.push(point);
      else request.points[at] = point;
    },

    remove(index) {
      request.points.splice(index, 1);
    },

    // No points; the pressure stays.
    clear() {
      request = { command: "design", pressure: request.pressure, points: [] };
    },

    // The names a new point may take its states from: each text name once, in request order.
    names() {
      const names = request.points.filter((point) => point !== null && typeof point === "object"
        && typeof point.name === "string").map((point) => point.name);
      return [...new Set(names)];
    },
  };
}
