"""What the process panel's tests share: the summer and winter examples, the replay's answers to
a design, the table and the drawing as the page shows them, and a page case that fills the panel
and checks its table and lines against the replay's answer.
"""

import decimal
import json
import subprocess
import urllib.parse

from selenium.webdriver.support.ui import Select

import chromium
import page_case
from page_case import ROOT, PageCase

SUMMER, WINTER = [json.loads(line) for line in
                  (ROOT / "tests" / "golden" / "design_examples.jsonl").read_text().splitlines()]
MARKUP = '<img src=x onerror="window.pwned=1">'

# The table as the page shows it, a row of texts per point (the button column left out), and
# each line of the chart: its class, the point it leads to and its points on the drawing.
TABLE = """return [...document.querySelectorAll('#design-states tbody tr')].map(
    (row) => [...row.children].slice(0, -1).map((cell) => cell.textContent));"""
DRAWING = """
const points = (path) => [...path.getAttribute('d').matchAll(/[ML]([-0-9.]+) ([-0-9.]+)/g)]
    .map((m) => [Number(m[1]), Number(m[2])]);
const centres = {};
for (const c of document.querySelectorAll('.design-points circle'))
  centres[c.dataset.point] = [Number(c.getAttribute('cx')), Number(c.getAttribute('cy'))];
const area = document.querySelector('#chart-plot rect.area');
const plot = ['x', 'y', 'width', 'height'].map((k) => Number(area.getAttribute(k)));
return {centres, plot, atEdge: document.querySelectorAll('.design-points .at-edge').length,
  labels: [...document.querySelectorAll('.point-label')].map(
      (t) => [t.dataset.point, t.textContent]),
  lines: [...document.querySelectorAll('.design-lines path')].map((p) => ({
      kind: p.getAttribute('class'), to: p.dataset.to, point: p.dataset.point, points: points(p)})),
  ratios: [...document.querySelectorAll('.ratio-label')].map((t) => t.textContent),
  protractor: document.querySelectorAll('.protractor text').length};
"""


def design_answers(requests):
    """The node replay's answers to design requests (objects or lines of text)."""
    lines = "".join((r if isinstance(r, str) else json.dumps(r, ensure_ascii=False)) + "\n"
                    for r in requests)
    out = subprocess.run([page_case.NODE, str(page_case.PAGE.parent / "replay.mjs")],
                         input=lines.encode(), stdout=subprocess.PIPE, check=True).stdout
    return [json.loads(line) for line in out.decode().splitlines()]


def rounded(x, places):
    """x rounded half to even at its exact value, written as the core writes it."""
    text = str(decimal.Decimal(x).quantize(decimal.Decimal(1).scaleb(-places),
                                           decimal.ROUND_HALF_EVEN))
    text = text.rstrip("0").rstrip(".") if "." in text else text
    return "0" if text == "-0" else text


def link(request):
    return chromium.page_url(page_case.PAGE) + "#design=" + urllib.parse.quote(
        json.dumps(request, ensure_ascii=False, separators=(",", ":")), safe="")


class DesignCase(PageCase):
    """A page at 1400 × 900 CSS pixels with the process panel's steps and checks."""
    SCREEN = (1400, 900)

    def open_page(self, url=None):
        # Another page first: a link that differs from the page open only in its fragment would
        # not load the page again (the open page follows it, as the last link below checks).
        self.driver.get("about:blank")
        super().open_page(url)

    def fill(self, values):
        for element_id, value in values.items():
            element = self.element(element_id)
            if element.tag_name == "select":
                Select(element).select_by_value(value)
            else:
                element.clear()
                element.send_keys(value)

    def add(self, kind, name, values):
        Select(self.element("design-kind")).select_by_value(kind)
        self.fill(dict(values, **{"design-name": name}))
        self.element("design-add-button").click()

    def request_of_link(self):
        self.element("design-copy-link").click()
        text = chromium.wait(self.driver, lambda d: self.element("design-link")
                             .get_attribute("value"))
        self.assertEqual(self.driver.current_url, text, "the address bar holds the link")
        return json.loads(urllib.parse.unquote(text.split("#design=", 1)[1]))

    def assert_table(self, request):
        """The table shows the replay's answer to the request, point by point."""
        [answer] = design_answers([request])
        rows = self.driver.execute_script(TABLE)
        self.assertEqual(len(rows), len(answer["points"]))
        for row, point in zip(rows, answer["points"]):
            self.assertEqual(row[:7], [point["name"]] + point["fields"])
            self.assertEqual(row[7], rounded(point["volume"], 3) if "volume" in point else "")
            self.assertEqual(row[-1], "；".join(m["text"] for m in point["messages"]))
        for step in answer["steps"]:
            row = next(r for r, p in zip(rows, answer["points"]) if p["name"] == step["to"])
            figures = [step.get(key) for key in ("flow", "heat", "moisture")]
            expected = [rounded(x, 2) if x is not None else "" for x in figures]
            self.assertEqual(row[13:16], expected if step["process"] != "mix"
                             else expected[:1] + ["", ""], step)
        return answer, rows

    def assert_drawn(self, request, answer):
        """Every complete point marked and named, every process a line from its entering to its
        leaving state (straight on the 焓湿图, through the core's states on the t–d chart), the ε
        line through the room's state and the supply state with its value, in both layouts."""
        index = {p["name"]: i for i, p in reversed(list(enumerate(answer["points"])))}
        rooms = {p["name"]: p["supply"]["room"] for p in request["points"]
                 if isinstance(p, dict) and "supply" in p}
        for layout in ("td", "hd"):
            self.element("chart-layout-" + layout).click()
            drawn = self.driver.execute_script(DRAWING)
            complete = [str(i) for i, p in enumerate(answer["points"]) if "volume" in p]
            self.assertEqual(sorted(drawn["centres"]), sorted(complete))
            # The range holds every point.
            x, y, width, height = drawn["plot"]
            self.assertEqual(drawn["atEdge"], 0)
            for cx, cy in drawn["centres"].values():
                self.assertTrue(x <= cx <= x + width and y <= cy <= y + height)
            self.assertEqual(sorted(drawn["labels"]), sorted(
                [i, answer["points"][int(i)]["name"]] for i in complete))
            near = lambda a, b: abs(a[0] - b[0]) + abs(a[1] - b[1]) < 1.5  # noqa: E731
            lines = [line for line in drawn["lines"] if line["to"] is not None]
            expected = [(s["to"], p["from"], len(p["path"])) for s in answer["steps"]
                        for p in (s["streams"] if s["process"] == "mix" else [s])]
            self.assertEqual(len(lines), len(expected))
            for line, (to, start, count) in zip(lines, expected):
                points = line["points"]
                self.assertTrue(near(points[0], drawn["centres"][str(index[start])]), line)
                self.assertTrue(near(points[-1], drawn["centres"][str(index[to])]), line)
                self.assertEqual(len(points), count)
                if layout == "hd":  # straight: every point on the chord
                    (x0, y0), (x1, y1) = points[0], points[-1]
                    for x, y in points:
                        cross = (x - x0) * (y1 - y0) - (y - y0) * (x1 - x0)
                        self.assertLess(abs(cross) / max(1, abs(x1 - x0) + abs(y1 - y0)), 0.2)
            supplies = [(i, p) for i, p in enumerate(answer["points"]) if "figures" in p]
            self.assertEqual(drawn["ratios"], ["ε = " + p["figures"]["ratio_text"]
                                               for _, p in supplies])
            for (i, _), line in zip(supplies, [x for x in drawn["lines"] if x["point"]]):
                room = drawn["centres"][str(index[rooms[answer["points"][i]["name"]]])]
                self.assertTrue(near(line["points"][0], room))
                self.assertTrue(any(near(p, drawn["centres"][str(i)]) for p in line["points"]))
            self.assertEqual(drawn["protractor"], 13 if layout == "hd" else 0)
