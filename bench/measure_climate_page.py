#!/usr/bin/python3
"""Measures the climate panel in headless chromium on a real year (docs/weather/chicago.epw): the
file opened in a page just loaded and read, every hour calculated, the panel's tables filled and
the year drawn on the chart, then the same file opened again in that page; and a filter changed
(months, clock hours) with the zones counted again and the chart drawn again, in both layouts and
as points. Prints the figures for docs/web.md; asserts nothing (the tests are in tests/web/). Run
by scripts/web --measure.

    bench/measure_climate_page.py out/web/index.html [--file EPW] [--loads N] [--changes N]
"""

import argparse
import os
import pathlib
import statistics
import sys

from selenium.webdriver.common.by import By

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[1] / "tests" / "web"))
sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
import chromium  # noqa: E402
import measure_design  # noqa: E402

ROOT = pathlib.Path(__file__).resolve().parents[1]

# Times one opening of a file: from the file input's change event (the FileReader starts), to the
# bytes in hand (the panel's mark tarvel-climate-read), to the script done (its mark
# tarvel-climate-drawn: the core's answer, the tables and the chart's new drawing), to the end of
# the frame that shows it. The chart's layer changes in the script's task, so a MutationObserver
# sees it in a microtask of that task, before the frame.
WATCH_OPEN = measure_design.RENDERED + """
const done = arguments[arguments.length - 1];
const input = document.getElementById("climate-file");
let chosen = null;
input.addEventListener("change", () => { chosen = performance.now(); }, {capture: true, once: true});
performance.clearMarks("tarvel-climate-read");
performance.clearMarks("tarvel-climate-drawn");
const observer = new MutationObserver(async () => {
  observer.disconnect();
  await rendered();
  const mark = (name) => performance.getEntriesByName(name)[0].startTime;
  done([chosen, mark("tarvel-climate-read"), mark("tarvel-climate-drawn"), performance.now()]);
});
observer.observe(document.getElementById("chart"), {childList: true, subtree: true});
"""

# A filter changed as the user changes it (a select's change event), each change timed on its own:
# the script (the core counts the zones again, the tables and the chart are drawn again), then the
# next frame's rendering.
TIME_FILTERS = measure_design.RENDERED + """
const [changes, count, done] = arguments;
(async () => {
  const script = [], frame = [];
  await rendered();
  for (let i = 0; i < count; i++) {
    const [id, value] = changes[i % changes.length];
    const select = document.getElementById(id);
    select.value = value;
    const start = performance.now();
    select.dispatchEvent(new Event("change", {bubbles: true}));
    script.push(performance.now() - start);
    frame.push(await rendered());
  }
  done([script, frame]);
})();
"""

# Month and hour filters in turn, each a change of one select.
CHANGES = [["climate-month-from", "6"], ["climate-month-to", "8"], ["climate-hour-from", "8"],
           ["climate-hour-to", "18"], ["climate-month-from", "11"], ["climate-month-to", "2"],
           ["climate-hour-from", "0"], ["climate-hour-to", "23"], ["climate-month-from", "1"],
           ["climate-month-to", "12"]]


def open_file(driver, path):
    """Opens the file in the panel; returns (reading, script, frame) in ms."""
    driver.set_script_timeout(120)
    # The observer must be in place before the file is chosen: start it, then choose.
    driver.execute_script("window.tarvelOpening = new Promise((resolve) => {"
                          + WATCH_OPEN.replace("const done = arguments[arguments.length - 1];",
                                               "const done = resolve;") + "});")
    driver.find_element(By.ID, "climate-file").send_keys(str(path))
    chosen, read, drawn, shown = driver.execute_async_script(
        "window.tarvelOpening.then(arguments[0]);")
    return read - chosen, drawn - read, shown - drawn


def fresh_page(driver, page):
    driver.get("about:blank")
    chromium.shown_page(driver, chromium.page_url(page))
    chromium.visible(driver, "climate-panel")
    # The page idle, as when a user turns to the panel.
    driver.execute_async_script("setTimeout(arguments[0], 1000)")


def summary(values):
    return "median %.1f, fastest %.1f, slowest %.1f" % (statistics.median(values), min(values),
                                                        max(values))


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("page", type=pathlib.Path)
    parser.add_argument("--file", type=pathlib.Path,
                        default=ROOT / "docs" / "weather" / "chicago.epw")
    parser.add_argument("--loads", type=int, default=10, help="pages loaded, a file opened in each")
    parser.add_argument("--changes", type=int, default=100, help="filter changes timed")
    args = parser.parse_args()
    page = args.page.resolve()
    print("load average before: %.2f %.2f %.2f" % os.getloadavg())
    print("file: %s (%d bytes)" % (args.file, args.file.stat().st_size))

    with chromium.browser(width=1400, height=900) as driver:
        chromium.viewport(driver, 1400, 900)
        for title, again in (("in a page just loaded", False), ("again in the same page", True)):
            rows = []
            for _ in range(args.loads):
                if not again or not rows:
                    fresh_page(driver, page)
                rows.append(open_file(driver, args.file))
            reading, script, frame = zip(*rows)
            total = [sum(row) for row in rows]
            print("\n## A year opened %s, %d times, 1400 x 900, 焓湿图 (ms)" % (title, args.loads))
            print("file read by the browser:           " + summary(reading))
            print("computed and drawn (script):        " + summary(script))
            print("next frame's rendering:             " + summary(frame))
            print("in all, file chosen to frame shown: " + summary(total))

        for layout, points in (("hd", False), ("td", False), ("hd", True)):
            driver.find_element(By.ID, "chart-layout-" + layout).click()
            driver.find_element(By.ID, "climate-show-" + ("points" if points else "density")).click()
            script, frame = driver.execute_async_script(TIME_FILTERS, CHANGES, args.changes)
            print("\n## A filter changed, %s layout, %s, %d changes (ms)"
                  % (layout, "points" if points else "density", args.changes))
            print("script: " + summary(script))
            print("frame:  " + summary(frame))
            print("both:   " + summary([a + b for a, b in zip(script, frame)]))
    print("\nload average after: %.2f %.2f %.2f" % os.getloadavg())


if __name__ == "__main__":
    main()
