#!/usr/bin/python3
"""The page against the hostile corpus (tests/hostile/page.jsonl): links, texts typed into the
window's fields and into the panels, weather files opened in the climate panel, each answered with
the core's answer or a message in Chinese, without an error in the browser's console, and the page
usable after each.

    hostile_test.py out/web/index.html [--node NODE] [unittest options]
"""

import os
import pathlib
import shutil
import sys
import tempfile
import urllib.parse
import xml.dom.minidom

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[1] / "tools"))
sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[1] / "hostile"))
import browser_test  # noqa: E402
import chromium  # noqa: E402
import corpus  # noqa: E402
import page_case  # noqa: E402
from page_case import FIELDS, PageCase  # noqa: E402

# What the panel shows: its status line, and the table's rows as name and message cells.
PANEL = """
const rows = [...document.querySelectorAll('#design-states tbody tr')];
return {status: document.getElementById('design-status').textContent, rows: rows.length,
        names: rows.slice(0, 8).map((row) => row.children[0].textContent),
        messages: rows.slice(0, 8).map((row) => row.children[row.children.length - 2].textContent),
        pressure: document.getElementById('Text4').value.slice(0, 100)
          .replace(/\\p{Cs}/gu, '?'),
        altitude: document.getElementById('altitude-status').textContent,
        loading: document.querySelectorAll('.loading').length,
        markup: document.querySelectorAll('img, image, b, iframe, object, embed').length,
        pwned: window.pwned === undefined ? null : window.pwned,
        climate: {status: document.getElementById('climate-status').textContent,
          station: document.getElementById('climate-station').textContent.slice(0, 300),
          stationLength: document.getElementById('climate-station').textContent.length,
          counts: document.getElementById('climate-counts').textContent,
          notes: [...document.querySelectorAll('#climate-notes li')].slice(0, 3).map(
            (li) => li.textContent.slice(0, 300)),
          results: !document.getElementById('climate-results').hidden}};
"""
# A small weather file that any page opens: one day of hours.
USABLE = "\n".join(["LOCATION,Usable,P,CHN,s,1,1,1,1,1"] + ["X"] * 6 + [
    "DATA PERIODS,1,1,Data,Sunday, 1/ 1,1/ 1"] + [
    "2001,1,1,%d,0,?,20,10,50,101325" % hour for hour in range(1, 25)]) + "\n"

# Texts into elements by id, each given whole or as {repeat, times} to be made in the page (a text
# of 10^7 characters need not cross the driver), each followed by the events a user's typing sends.
TYPE = """
for (const [id, text] of Object.entries(arguments[0])) {
  const element = document.getElementById(id);
  element.value = typeof text === "string" ? text
      : text.units ? String.fromCharCode(...text.units) : text.repeat.repeat(text.times);
  element.dispatchEvent(new Event("input", {bubbles: true}));
  element.dispatchEvent(new Event("change", {bubbles: true}));
}
"""


def typed(given):
    """A text of the corpus as TYPE takes it: made in the page where it is one text repeated, as
    its UTF-16 units where it holds a lone surrogate (WebDriver refuses those)."""
    if isinstance(given, dict) and set(given) == {"repeat", "times"} \
            and isinstance(given["repeat"], str):
        return {"repeat": given["repeat"], "times": given["times"]}
    text = corpus.expand(given)
    if corpus.has_lone_surrogate(text):
        data = text.encode("utf-16-le", "surrogatepass")
        return {"units": [int.from_bytes(data[i:i + 2], "little") for i in range(0, len(data), 2)]}
    return text


def link(case):
    """The page's address with the case's design: its request as JSON text, percent-encoded but
    for brackets, braces, commas and colons (a link nested 10^6 deep then stays below a browser's
    2 MB), or the fragment exactly as the case gives it."""
    base = chromium.page_url(page_case.PAGE) + "#design="
    if "fragment" in case:
        return base + corpus.expand(case["fragment"])
    text = corpus.request_text(corpus.expand(case["link"]))
    return base + urllib.parse.quote(text, safe="[]{},:")


class HostileTest(PageCase):
    """Every case of the page's corpus, at 1400 × 900 CSS pixels."""
    SCREEN = (1400, 900)

    def setUp(self):
        super().setUp()
        self.downloads = pathlib.Path(tempfile.mkdtemp(prefix="tarvel-hostile-"))
        self.files = pathlib.Path(tempfile.mkdtemp(prefix="tarvel-hostile-files-"))
        self.driver.execute_cdp_cmd("Page.setDownloadBehavior",
                                    {"behavior": "allow", "downloadPath": str(self.downloads)})

    def tearDown(self):
        shutil.rmtree(self.downloads, ignore_errors=True)
        shutil.rmtree(self.files, ignore_errors=True)
        super().tearDown()

    def test_every_case_is_answered_and_the_page_stays_usable(self):
        only = os.environ.get("TARVEL_HOSTILE_CASES", "")  # a part of the names, to run fewer
        for case in [c for c in corpus.cases("page") if only in c["case"]]:
            with self.subTest(case["case"]):
                self.driver.get("about:blank")
                self.driver.get_log("browser")  # what an earlier case left, told there
                for saved in self.downloads.iterdir():
                    saved.unlink()
                self.open_page(link(case) if "link" in case or "fragment" in case else None)
                self.run_actions(case)
                self.check(case)
                self.check_saved(case)
                self.check_usable(case["case"])
                errors = [e for e in self.driver.get_log("browser") if e["level"] == "SEVERE"]
                self.assertEqual(errors, [], case["case"])

    def open_weather(self, name, data, size=None):
        """Opens the bytes as a file in the climate panel and waits for its answer."""
        path = self.files / name
        path.write_bytes(data)
        if size is not None:
            with open(path, "r+b") as file:
                file.truncate(size)
        status = self.element("climate-status")
        self.driver.execute_script("arguments[0].textContent = ''", status)
        self.element("climate-file").send_keys(str(path))
        chromium.wait(self.driver, lambda d: status.text and not status.text.startswith("正在"))
        path.unlink()

    def run_actions(self, case):
        if "file" in case:
            self.open_weather(case.get("name", "weather.epw"),
                              corpus.as_bytes(corpus.expand(case["file"])), case.get("size"))
        if "fields" in case:
            texts = {f: corpus.expand(case["fields"].get(f, "")) for f in FIELDS}
            self.driver.execute_script(TYPE, {f: typed(case["fields"].get(f, "")) for f in FIELDS})
            shown = self.messages_after("Command1" if case["command"] == "calculate"
                                        else "Command2")
            [expected] = page_case.replay([(texts, case["command"])])
            self.assertEqual(self.texts(), expected["fields"] + [expected["pressure"]],
                             case["case"])
            self.assertEqual([m["text"] for m in shown], [m["text"] for m in expected["messages"]],
                             case["case"])
        # Each action: a process chosen, texts typed into elements by id, then a button pressed.
        for action in case.get("panel", []):
            if "kind" in action:
                self.driver.execute_script(TYPE, {"design-kind": action["kind"]})
            self.driver.execute_script(TYPE, {key: typed(value) for key, value in action.items()
                                              if key not in ("kind", "press")})
            if "press" in action:
                self.element(action["press"]).click()

    def check(self, case):
        shown = self.driver.execute_script(PANEL)
        expected = {key: value for key, value in corpus.expand(case.get("expect", {})).items()
                    if key != "saved"}
        self.assertIsNone(corpus.mismatch(expected, shown, case["case"]))
        self.assertEqual([shown["loading"], shown["markup"], shown["pwned"]], [0, 0, None],
                         case["case"] + ": loading, elements made from markup, script run")

    def check_saved(self, case):
        """The files the case saves: each there, an SVG file well-formed XML, a PNG file a PNG."""
        names = case.get("expect", {}).get("saved", [])
        files = [self.downloads / name for name in names]
        chromium.wait(self.driver, lambda d: all(f.is_file() and f.stat().st_size for f in files))
        for saved in files:
            data = saved.read_bytes()
            if saved.suffix == ".svg":
                xml.dom.minidom.parseString(data)
            if saved.suffix == ".png":
                self.assertEqual(data[:8], b"\x89PNG\r\n\x1a\n", case["case"])

    def check_usable(self, label):
        """After a case: an example loads whole, a calculation is answered and a small weather
        file is read."""
        self.element("design-example-summer").click()
        shown = self.driver.execute_script(PANEL)
        self.assertEqual([shown["status"], shown["rows"]], ["", 6], label + ": the example")
        texts = {"Text(0)": "20", "Text(2)": "50", "Text4": "101.325"}
        [expected] = page_case.replay([(texts, "calculate")])
        self.assert_answer(texts, "calculate", expected, label + ": a calculation afterwards")
        self.open_weather("usable.epw", USABLE.encode())
        climate = self.driver.execute_script(PANEL)["climate"]
        self.assertEqual([climate["status"], climate["counts"]],
                         ["已读入“usable.epw”", "记录：1 年，24 小时；不参加统计 0 小时"],
                         label + ": a weather file afterwards")


if __name__ == "__main__":
    browser_test.main()
