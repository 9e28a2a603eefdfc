#!/usr/bin/python3
"""Measures the web page in headless chromium: its size, the time from navigation to the start-up
dialog, the time of one calculate command, the core's answer to a design of 20 points, the chart's
redraw after a calculation, the readout's update per pointer move, and the process panel opening
that design and the chart drawn again with it. Prints the figures for docs/web.md; asserts nothing
(the tests are in tests/web/). Run by scripts/web --measure.

    bench/measure_page.py out/web/index.html [--loads N] [--rounds N] [--commands N]
"""

import argparse
import gzip
import os
import pathlib
import statistics
import sys

from selenium.webdriver.common.by import By

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[1] / "tests" / "web"))
sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
import chromium  # noqa: E402
import measure_design  # noqa: E402

# Calculations of each kind: a closed formula, the psychrometer equation solved for the dry bulb,
# bisections on the dry bulb, and the searches that run out their bound before "超出区域范围".
CASES = [
    ("dry bulb 20 ℃, relative humidity 50 %", {"Text(0)": "20", "Text(2)": "50"}),
    ("wet bulb 20 ℃, moisture content 12 g/kg", {"Text(1)": "20", "Text(4)": "12"}),
    ("relative humidity 50 %, enthalpy 50 kJ/kg", {"Text(2)": "50", "Text(5)": "50"}),
    ("dew point 10 ℃, enthalpy 50 kJ/kg", {"Text(3)": "10", "Text(5)": "50"}),
    ("out of range: dry bulb 20 ℃, RH -10 %", {"Text(0)": "20", "Text(2)": "-10"}),
    ("out of range: dry bulb 20 ℃, RH 135 %", {"Text(0)": "20", "Text(2)": "135"}),
    ("out of range: dry bulb 20 ℃, wet bulb 22 ℃", {"Text(0)": "20", "Text(1)": "22"}),
    ("out of range: RH 101 %, dew point 20 ℃", {"Text(2)": "101", "Text(3)": "20"}),
]

# Every field is set (the others empty) and the button clicked: the command runs, and writes its
# fields, inside the click, and the chart is drawn again inside it too; a message dialog is opened
# inside it, and closed at once. performance.now() is coarse in a browser, so a round of clicks is
# timed as a whole.
TIME_CLICKS = """
const [texts, rounds, count] = arguments;
const button = document.getElementById("Command1");
const dialog = document.getElementById("message");
const fields = ["Text(0)", "Text(1)", "Text(2)", "Text(3)", "Text(4)", "Text(5)", "Text4"].map(
    (id) => [document.getElementById(id), texts[id] || ""]);
const perClick = [];
for (let round = 0; round < rounds; round++) {
  const start = performance.now();
  for (let i = 0; i < count; i++) {
    for (const [field, text] of fields) field.value = text;
    button.click();
    if (dialog.open) dialog.close();
  }
  perClick.push((performance.now() - start) / count);
}
return perClick;
"""

# The core alone, in a second instance of the page's tarvel-core.js: the texts handed over and the
# command run, without the page's fields or dialog.
TIME_CORE = """
const [texts, rounds, count, done] = arguments;
const ids = ["Text(0)", "Text(1)", "Text(2)", "Text(3)", "Text(4)", "Text(5)", "Text4"];
TarvelCore().then((core) => {
  const page = core._tarvel_page();
  const bytes = ids.map((id) => new TextEncoder().encode(texts[id] || ""));
  const perCommand = [];
  for (let round = 0; round < rounds; round++) {
    const start = performance.now();
    for (let i = 0; i < count; i++) {
      bytes.forEach((b, field) => {
        const buffer = core._tarvel_buffer(page, b.length);
        core.HEAPU8.set(b, buffer);
        core._tarvel_set_text(page, field);
      });
      core._tarvel_calculate(page);
    }
    perCommand.push((performance.now() - start) / count);
  }
  done(perCommand);
});
"""


# The chart after calculations that cycle through the given dry bulbs (relative humidity 50 %),
# each click timed on its own: the script inside the click (the command and the chart's new
# drawing), and the browser's style, layout and paint of the frame that shows it (from that
# frame's requestAnimationFrame to a message posted there, which arrives once the frame is done).
TIME_REDRAW = """
const [dryBulbs, count, done] = arguments;
const fields = ["Text(0)", "Text(1)", "Text(2)", "Text(3)", "Text(4)", "Text(5)", "Text4"].map(
    (id) => document.getElementById(id));
const button = document.getElementById("Command1");
""" + measure_design.RENDERED + """(async () => {
  const script = [], frame = [];
  await rendered();
  for (let i = 0; i < count; i++) {
    const texts = [dryBulbs[i % dryBulbs.length], "", "50", "", "", "", "101.325"];
    fields.forEach((field, k) => { field.value = texts[k]; });
    const start = performance.now();
    button.click();
    script.push(performance.now() - start);
    frame.push(await rendered());
  }
  done([script, frame]);
})();
"""

# The readout under the pointer: rounds of pointer moves over a grid of the plot, each round timed
# as a whole; the state is calculated and the readout rewritten inside each move.
TIME_MOVES = """
const [rounds, count] = arguments;
const area = document.querySelector("#chart-plot rect.area");
const box = area.getBoundingClientRect();
const perMove = [];
let shown = 0;
for (let round = 0; round < rounds; round++) {
  const start = performance.now();
  for (let i = 0; i < count; i++) {
    area.dispatchEvent(new PointerEvent("pointermove", {bubbles: true,
        clientX: box.left + box.width * ((i * 37) % 100 + 0.5) / 100,
        clientY: box.top + box.height * ((i * 61) % 100 + 0.5) / 100}));
    shown += document.getElementById("chart-readout").childElementCount > 0;
  }
  perMove.push((performance.now() - start) / count);
}
return [perMove, shown / (rounds * count)];
"""


def sizes(folder):
    files = sorted(p for p in folder.iterdir() if p.is_file())
    rows = [(p.name, p.stat().st_size, len(gzip.compress(p.read_bytes(), 9))) for p in files]
    return rows


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("page", type=pathlib.Path)
    parser.add_argument("--loads", type=int, default=20)
    parser.add_argument("--rounds", type=int, default=10)
    parser.add_argument("--commands", type=int, default=200, help="clicks or moves per round")
    parser.add_argument("--redraws", type=int, default=100, help="calculations timed one by one")
    args = parser.parse_args()
    page = args.page.resolve()

    print("load average before: %.2f %.2f %.2f" % os.getloadavg())
    rows = sizes(page.parent)
    print("## Size of %s" % page.parent)
    for name, size, compressed in rows:
        print("%-16s %8d bytes  (gzip -9: %7d)" % (name, size, compressed))
    print("%-16s %8d bytes  (gzip -9: %7d)" % ("total", sum(r[1] for r in rows),
                                               sum(r[2] for r in rows)))
    page_rows = [r for r in rows if not r[0].startswith("replay.")]
    print("%-16s %8d bytes  (gzip -9: %7d)" % ("page only", sum(r[1] for r in page_rows),
                                               sum(r[2] for r in page_rows)))

    with chromium.browser() as driver:
        shown, painted = [], []
        for _ in range(args.loads):
            driver.get(chromium.page_url(page))
            chromium.open_dialog(driver)
            shown.append(driver.execute_script(
                "return performance.getEntriesByName('tarvel-start-up')[0].startTime"))
            painted.append(driver.execute_script(
                "const p = performance.getEntriesByName('first-contentful-paint')[0];"
                "return p ? p.startTime : null"))
        print("\n## Navigation to the start-up dialog, %d loads (ms)" % args.loads)
        print("dialog open:   median %.1f, max %.1f" % (statistics.median(shown), max(shown)))
        painted = [p for p in painted if p is not None]
        if painted:
            print("first paint:   median %.1f, max %.1f" % (statistics.median(painted),
                                                          max(painted)))

        driver.set_script_timeout(300)
        driver.find_element(By.ID, "message-ok").click()
        chromium.dialog_closed(driver)
        chromium.visible(driver, "form1")
        print("\n## One calculate command, %d rounds of %d (ms per command; median, slowest round)"
              % (args.rounds, args.commands))
        print("%-46s %-18s %s" % ("", "core alone", "click in the page"))
        for label, texts in CASES:
            texts = dict(texts, Text4="101.325")
            core = driver.execute_async_script(TIME_CORE, texts, args.rounds, args.commands)
            click = driver.execute_script(TIME_CLICKS, texts, args.rounds, args.commands)
            print("%-46s %.4f, %.4f     %.4f, %.4f"
                  % (label, statistics.median(core), max(core), statistics.median(click),
                     max(click)))

        measure_design.core(driver, args.rounds, args.commands)

        chromium.viewport(driver, 1400, 900)
        driver.find_element(By.ID, "Command2").click()
        for layout in ("hd", "td"):
            driver.find_element(By.ID, "chart-layout-" + layout).click()
            print("\n## The chart, %s layout, 1400 x 900, %d calculations each (ms: median, max)"
                  % (layout, args.redraws))
            for label, dry_bulbs in (("the marker moves (10 to 34 ℃)", list(range(10, 35))),
                                     ("the range changes (20 and 70 ℃)", [20, 70])):
                script, frame = driver.execute_async_script(
                    TIME_REDRAW, [str(t) for t in dry_bulbs], args.redraws)
                print("%-34s script %.2f, %.2f   next frame's rendering %.2f, %.2f"
                      % (label, statistics.median(script), max(script),
                         statistics.median(frame), max(frame)))
            moves, shown = driver.execute_script(TIME_MOVES, args.rounds, args.commands)
            print("readout per pointer move: median %.3f, slowest round %.3f "
                  "(a state shown for %d %% of the moves)"
                  % (statistics.median(moves), max(moves), round(shown * 100)))

        measure_design.panel(driver, page, args.redraws)
    print("\nload average after: %.2f %.2f %.2f" % os.getloadavg())


if __name__ == "__main__":
    main()
