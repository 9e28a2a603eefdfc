"""The page's designs of air conditioning, for bench/measure_page.py: the core's answer to a design
of 20 points, the process panel opening it from a link, and the chart drawn again with it.
"""

import json
import statistics
import urllib.parse

from selenium.webdriver.common.by import By

# A design of 20 points: the summer example of the README (room, outdoor air, supply state from the
# loads, mix, coil, reheat), then heating, spraying, mixing with the room and a coil in turn.
def design_request():
    points = [
        {"name": "N", "state": {"dry_bulb": "23", "rel_humidity": "60"}},
        {"name": "W", "state": {"dry_bulb": "34.8", "wet_bulb": "26.7"}},
        {"name": "O", "supply": {"room": "N", "heat_load": "12", "moisture_load": "1.2",
                                 "difference": "6"}},
        {"name": "C", "mix": [{"point": "W", "flow": "0.2"}, {"point": "N", "flow": "0.8"}]},
        {"name": "L", "coil": {"point": "C", "rel_humidity": "95", "moisture_of": "O"}},
        {"name": "R", "heat": {"point": "L", "dry_bulb_of": "O"}},
    ]
    while len(points) < 20:
        k, last = len(points), points[-1]["name"]
        process = [("heat", {"point": last, "dry_bulb": "30"}),
                   ("spray", {"point": last, "rel_humidity": "60"}),
                   ("mix", [{"point": last, "flow": "1"}, {"point": "N", "flow": "1"}]),
                   ("coil", {"point": last, "rel_humidity": "95", "moisture_of": "O"})][k % 4]
        points.append({"name": "P%d" % k, process[0]: process[1]})
    return {"command": "design", "pressure": "101.325", "points": points}


# The core alone, in a second instance of tarvel-core.js: the request handed over as the page hands
# it (JSON.stringify, UTF-8), the design computed and its answer read back and parsed.
# A promise of the time from the next animation frame to the task after it: the page's rendering
# of what a script changed (style, layout, paint), as the browser does it before the next task.
RENDERED = """
const rendered = () => new Promise((resolve) => requestAnimationFrame(() => {
  const start = performance.now();
  const channel = new MessageChannel();
  channel.port1.onmessage = () => resolve(performance.now() - start);
  channel.port2.postMessage(0);
}));
"""

TIME_DESIGN = """
const [request, rounds, count, done] = arguments;
TarvelCore().then((core) => {
  const page = core._tarvel_page();
  const bytes = new TextEncoder().encode(JSON.stringify(request));
  const perDesign = [];
  let points = 0;
  for (let round = 0; round < rounds; round++) {
    const start = performance.now();
    for (let i = 0; i < count; i++) {
      const buffer = core._tarvel_buffer(page, bytes.length);
      core.HEAPU8.set(bytes, buffer);
      core._tarvel_design(page);
      const answer = core._tarvel_text(page, 0);
      const text = new TextDecoder().decode(
          core.HEAPU8.subarray(answer, answer + core._tarvel_text_size(page, 0)));
      points = JSON.parse(text).points.filter((p) => p.messages.length === 0).length;
    }
    perDesign.push((performance.now() - start) / count);
  }
  done([perDesign, points]);
});
"""


# The process panel with a design opened from a link, each update timed on its own: the script
# (the design answered by the core, its table written, the chart drawn again with the design's
# lines), then the next frame's rendering as above. Two links of the same design alternate; the
# fragment is changed in place and its event sent at once, so that the script runs inside the
# timing.
TIME_DESIGN_PANEL = """
const [links, count, done] = arguments;
""" + RENDERED + """(async () => {
  const script = [], frame = [];
  await rendered();
  for (let i = 0; i < count; i++) {
    history.replaceState(null, "", links[i % links.length]);
    const start = performance.now();
    window.dispatchEvent(new HashChangeEvent("hashchange"));
    script.push(performance.now() - start);
    frame.push(await rendered());
  }
  done([script, frame]);
})();
"""

# The chart drawn again with the design on it: the layout switched back and forth (every line, the
# protractor and the design's lines drawn anew), and a calculation that moves the marker.
TIME_DESIGN_REDRAW = """
const [count, done] = arguments;
""" + RENDERED + """const fields = ["Text(0)", "Text(1)", "Text(2)", "Text(3)", "Text(4)", "Text(5)", "Text4"].map(
    (id) => document.getElementById(id));
(async () => {
  const times = {layout: [[], []], marker: [[], []]};
  await rendered();
  for (let i = 0; i < count; i++) {
    for (const kind of ["layout", "marker"]) {
      const start = performance.now();
      if (kind === "layout") {
        document.getElementById(i % 2 ? "chart-layout-hd" : "chart-layout-td").click();
      } else {
        const texts = [String(10 + i % 20), "", "50", "", "", "", "101.325"];
        fields.forEach((field, k) => { field.value = texts[k]; });
        document.getElementById("Command1").click();
      }
      times[kind][0].push(performance.now() - start);
      times[kind][1].push(await rendered());
    }
  }
  done(times);
})();
"""


def core(driver, rounds, count):
    """Prints the core's time for the design of 20 points, answered and parsed."""
    design, complete = driver.execute_async_script(TIME_DESIGN, design_request(), rounds, count)
    print("\n## A design of 20 points (%d complete), the core alone, %d rounds of %d (ms per "
          "design): median %.3f, slowest round %.3f"
          % (complete, rounds, count, statistics.median(design), max(design)))


def panel(driver, page, count):
    """Prints the process panel's time to open the design from a link, and the chart's to draw it
    again (the page open at 1400 x 900, its start-up credit closed)."""
    request = design_request()
    links = [page.as_uri() + "#design=" + urllib.parse.quote(json.dumps(dict(
        request, pressure=pressure), separators=(",", ":")), safe="")
             for pressure in ("101.325", " 101.325")]
    driver.find_element(By.ID, "chart-layout-hd").click()
    script, frame = driver.execute_async_script(TIME_DESIGN_PANEL, links, count)
    print("\n## The process panel opening a design of 20 points from a link, 1400 x 900, "
          "%d times (ms: median, max)" % count)
    print("script %.2f, %.2f   next frame's rendering %.2f, %.2f"
          % (statistics.median(script), max(script), statistics.median(frame), max(frame)))
    times = driver.execute_async_script(TIME_DESIGN_REDRAW, count)
    print("\n## The chart with that design on it, %d times each (ms: median, max)" % count)
    for kind, label in (("layout", "layout switched, all drawn anew"),
                        ("marker", "a calculation moves the marker")):
        script, frame = times[kind]
        print("%-34s script %.2f, %.2f   next frame's rendering %.2f, %.2f"
              % (label, statistics.median(script), max(script), statistics.median(frame),
                 max(frame)))
