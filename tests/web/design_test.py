"""The process panel (空调过程): the summer example built as a person would, links that reopen a
design, the table against the replay's answer to the same design, the lines on the chart in both
layouts, the CSV file, bad links and big designs, and the altitude helper beside the window.
"""

import csv
import io
import json
import pathlib
import shutil
import tempfile
import urllib.parse

from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

import chromium
import page_case
from design_case import DesignCase, MARKUP, SUMMER, TABLE, WINTER, design_answers, link
from page_case import PRESSURE, ROOT


class DesignTest(DesignCase):
    """The process panel at 1400 × 900 CSS pixels."""

    def test_summer_example_built_through_the_panel(self):
        self.open_page()
        for name, texts in (("N", {"Text(0)": "23", "Text(2)": "60", PRESSURE: "101.325"}),
                            ("W", {"Text(0)": "34.8", "Text(1)": "26.7", PRESSURE: "101.325"})):
            self.set_texts(texts)
            self.element("Command1").click()
            self.fill({"design-keep-name": name})
            self.element("design-keep-button").click()
        self.add("supply", "O", {"design-room": "N", "design-heat_load": "12",
                                 "design-moisture_load": "1.2", "design-difference": "6"})
        self.add("mix", "C", {"design-stream0-point": "W", "design-stream0-flow": "0.2",
                              "design-stream1-point": "N", "design-stream1-flow": "0.8"})
        self.add("coil", "L", {"design-point": "C", "design-rel_humidity": "95",
                               "design-moisture-of": "O"})
        self.add("heat", "R", {"design-point": "L", "design-dry_bulb-of": "O"})
        self.assertEqual(self.request_of_link(), SUMMER)
        answer, rows = self.assert_table(SUMMER)
        self.assertEqual([m for p in answer["points"] for m in p["messages"]], [])
        self.assert_drawn(SUMMER, answer)
        # The examples are the golden requests.
        for example, request in (("summer", SUMMER), ("winter", WINTER)):
            self.element("design-example-" + example).click()
            self.assertEqual(self.request_of_link(), request)
        # A point removed: the points that need it say so; the rest is still computed.
        self.element("design-example-summer").click()
        self.driver.find_elements(By.CSS_SELECTOR, "#design-states tbody button")[1].click()
        without_w = dict(SUMMER, points=[p for p in SUMMER["points"] if p["name"] != "W"])
        self.assertIn("前面没有状态点“W”", self.assert_table(without_w)[1][2][-1])

    def test_link_opens_a_design_and_the_csv_and_svg_hold_it(self):
        # A name with a comma and quotes, so that the CSV quotes it.
        winter = json.loads(json.dumps(WINTER).replace('"N"', '"室内 N, \\"A\\""'))
        self.open_page(link(winter))
        answer, rows = self.assert_table(winter)
        self.assert_drawn(winter, answer)
        folder = pathlib.Path(tempfile.mkdtemp(prefix="tarvel-downloads-"))
        try:
            self.driver.execute_cdp_cmd("Page.setDownloadBehavior",
                                        {"behavior": "allow", "downloadPath": str(folder)})
            self.element("design-save-csv").click()
            self.element("chart-save-svg").click()
            saved = folder / "tarvel-design.csv"
            chromium.wait(self.driver, lambda d: saved.is_file() and saved.stat().st_size
                          and (folder / "tarvel-chart.svg").is_file())
            header = self.driver.execute_script(
                "return [...document.querySelectorAll('#design-states thead th')].slice(0, -1)"
                ".map((th) => th.firstChild.textContent)")
            # tarvel-batch's rules: its column names, commas, quotes only where needed, line
            # feeds, UTF-8 without a byte-order mark.
            self.assertEqual(header[1:9], ["干球温度", "湿球温度", "相对湿度", "露点温度",
                                           "含湿量", "湿空气焓", "比容", "当地大气压力"])
            self.assertEqual(header[-1], "提示")
            units = self.driver.execute_script(
                "return [...document.querySelectorAll('#design-states thead th')].slice(0, -1)"
                ".map((th) => th.querySelector('span') ? th.querySelector('span').textContent"
                " : '')")
            batch_names = header[1:7] + ["当地大气压力", "提示"]
            names = [h if not u or h in batch_names else "%s（%s）" % (h, u)
                     for h, u in zip(header, units)]
            expected = io.StringIO()
            csv.writer(expected, lineterminator="\n").writerows([names] + rows)
            self.assertEqual(saved.read_bytes(), expected.getvalue().encode())
            self.assertIn('"室内 N, ""A"""', saved.read_text(encoding="utf-8"))
            svg = (folder / "tarvel-chart.svg").read_text(encoding="utf-8")
            self.assertEqual(svg.count('class="process '), 5)
            self.assertIn("ε = -9000", svg)
        finally:
            shutil.rmtree(folder, ignore_errors=True)

    def test_bad_links_are_told_and_leave_the_page_usable(self):
        status = lambda: self.element("design-status").text  # noqa: E731
        base = chromium.page_url(page_case.PAGE) + "#design="
        # What is no design request at all is told in the core's words for it; a request the
        # core refuses, as the replay words it.
        for text, told in (("%E0%A4%A", "链接中的设计有误：无法解码（百分号编码有误）"),
                           ("not json", "链接中的设计有误：设计请求不是有效的 JSON（在第 2 个字节处）"),
                           ('{"command":"design","pressure":"101.325"}', None),
                           ('[1,2]', "链接中的设计有误：设计请求须是一个 JSON 对象")):
            url = base + (text if text.startswith("%") else urllib.parse.quote(text))
            if text == "[1,2]":
                self.driver.get(url)  # the page open follows the link
            else:
                self.open_page(url)
            if told is None:
                told = "链接中的设计有误：" + design_answers([text])[0]["error"]
            self.assertEqual(status(), told)
            self.assertEqual(self.driver.execute_script(TABLE), [])
        # Markup and script in names and texts stay text; huge and non-numeric texts, a point that
        # is not one, and the rest of the design still computed.
        request = {"command": "design", "pressure": "101.325", "points": [
            {"name": MARKUP, "state": {"dry_bulb": "23", "rel_humidity": "60"}},
            {"name": "<b>x</b>" * 20000, "heat": {"point": MARKUP, "dry_bulb": "abc"}},
            {"name": "P", "state": {"dry_bulb": "1" * 100000, "rel_humidity": MARKUP}},
            {"name": "Q", "state": {"dry_bulb": "1e400", "rel_humidity": "60"}}, 3,
            {"name": "H", "state": {"dry_bulb": "80", "moisture": "60"}},
            {"name": "S", "supply": {"room": MARKUP, "heat_load": "12", "moisture_load": "1.2",
                                     "difference": "6"}}]}
        self.open_page(link(request))
        self.assert_table(request)
        self.assert_drawn(request, design_answers([request])[0])
        self.assertEqual(self.driver.execute_script(
            "return [document.querySelectorAll('img, b').length, window.pwned]"), [0, None])
        # Still usable: an example loads, drawn whole.
        self.element("design-example-summer").click()
        self.assertEqual(status(), "")
        self.assertEqual(len(self.driver.execute_script(TABLE)), 6)

    def test_a_design_of_1000_points_is_answered_and_drawn_whole(self):
        points = [{"name": "N", "state": {"dry_bulb": "23", "rel_humidity": "60"}}]
        for k in range(1, 1000):
            last = points[-1]["name"]
            points.append({"name": "P%d" % k, "heat": {"point": last, "dry_bulb": str(15 + k % 25)}}
                          if k % 2 else {"name": "P%d" % k, "mix": [
                              {"point": last, "flow": "1"}, {"point": "N", "flow": "2"}]})
        request = {"command": "design", "pressure": "101.325", "points": points}
        self.open_page(link(request))
        answer, rows = self.assert_table(request)
        self.assertEqual(sum(1 for p in answer["points"] if "volume" in p), 1000)
        self.assertEqual(len(self.driver.find_elements(By.CSS_SELECTOR, ".design-points circle")),
                         1000)

    def test_figures_too_large_are_told_and_held_in_the_table(self):
        # A flow of 10^308: the heat and water of a step and a mix stream's flow would not be
        # finite. Every step stays, on the chart and in the table, and says which figure it could
        # not compute; the flow is written as the core writes it, every digit, wrapped within its
        # column, and the chart stays beside the window.
        golden = ROOT / "tests" / "golden"
        request = json.loads((golden / "design_huge_figures.jsonl").read_text().splitlines()[0])
        self.open_page(link(request))
        [answer] = design_answers([request])
        rows = self.driver.execute_script(TABLE)
        self.assertEqual(len(rows), len(answer["points"]))
        for row, point in zip(rows, answer["points"]):
            said = [m["text"] for m in point["messages"]] + [
                m["text"] for s in answer["steps"] if s["to"] == point["name"]
                for m in s.get("messages", [])]
            self.assertEqual(row[-1], "；".join(said), point["name"])
        heated = rows[[p["name"] for p in answer["points"]].index("H")]
        self.assertEqual(heated[13:15], ["1" + "0" * 308, ""])
        self.assertEqual(heated[-1], "热量超出数值范围，无法计算")
        self.assertEqual(len(self.driver.find_elements(
            By.CSS_SELECTOR, ".design-lines path.process")), 4)
        laid = self.driver.execute_script("""
            const right = (id) => document.getElementById(id).getBoundingClientRect().right;
            const cells = document.querySelectorAll('#design-states td');
            return {window: innerWidth, chart: right('chart-panel'),
                    table: right('design-table-panel'),
                    cells: [...cells].map((td) => td.getBoundingClientRect().width)};""")
        self.assertLessEqual(laid["chart"], laid["window"])
        self.assertLessEqual(laid["table"], laid["window"])
        self.assertLess(max(laid["cells"]), 400)
        # A flow the request gives and the design does not use is told.
        request = json.loads((golden / "design_unused_flow.jsonl").read_text().splitlines()[0])
        self.open_page(link(request))
        self.assertEqual(self.element("design-status").text,
                         "未使用请求中的“flow”：设计有送风状态“O”，风量取自送风状态")

    def test_altitude_fills_the_pressure_only_when_asked(self):
        self.open_page()
        self.fill({"altitude-metres": "1000"})
        self.assertEqual(self.element(PRESSURE).get_attribute("value"), "")
        self.element("altitude-fill").click()
        self.assertEqual(self.element(PRESSURE).get_attribute("value"), "89.875")
        chromium.wait(self.driver, lambda d: "89.875 kPa" in self.element("chart").accessible_name)
        # Enter asks too; an altitude without a pressure is told and writes nothing.
        for text, pressure in (("0", "101.325"), ("50000", "101.325"), ("1e999", "101.325")):
            self.fill({"altitude-metres": text})
            self.element("altitude-metres").send_keys(Keys.ENTER)
            self.assertEqual(self.element(PRESSURE).get_attribute("value"), pressure)
        self.assertIn("44 330 m", self.element("altitude-status").text)
