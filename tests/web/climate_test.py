"""The climate panel (气候): weather files made by the climate tests' generator, opened as a person
would, answered as tarvel-climate answers the same file; the density, the points and the zones on
the chart; the filters; the outdoor states put into the process panel; files dropped, refused and
closed.
"""

import collections
import json
import math
import re
import subprocess

from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

import chromium
import page_case
import weather_files
from climate_case import CHART, ClimateCase, epw_year
from page_case import PRESSURE


class ClimateTest(ClimateCase):
    """The climate panel at 1400 × 900 CSS pixels."""

    def test_files_are_answered_as_tarvel_climate_answers_them(self):
        files = [self.weather("year.epw", epw_year(5)),
                 self.weather("two years.csv", weather_files.csv_text(years=2, seed=6))]
        # The options as the panel takes them and as the command takes them.
        options = [
            ({"pmv": ("1.2", "0.5", "0.1"), "zone": [("", "")] * 4}, []),
            ({"month": ("6", "8"), "hour": ("8", "18"), "pmv": ("1", "0.7", "0.2"),
              "zone": [("20", "26"), ("", "60"), ("", ""), ("", "")]},
             ["--month", "6-8", "--hour", "8-18", "--pmv", "1,0.7,0.2",
              "--zone", "dry_bulb=20..26,rel_humidity=..60"]),
            ({"month": ("11", "2"), "hour": ("22", "6"), "pmv": ("1.2", "0.5", "0.1"),
              "zone": [("", ""), ("", ""), ("5", ""), ("", "9")]},
             ["--month", "11-2", "--hour", "22-6", "--zone", "dew_point=5..,moisture=..9"]),
        ]
        for path in files:
            self.assertEqual(self.open_file(path), "已读入“%s”" % path.name)
            for panel, args in options:
                label = "%s %s" % (path.name, " ".join(args))
                self.choose(**panel)
                self.element("climate-save-json").click()
                expected = self.command(path, *args)
                self.assertEqual(self.saved("tarvel-climate.json").decode(), expected, label)
                self.assert_shown_as(json.loads(expected), label)
            self.choose(**options[0][0])
        # The table of hours, as --hours writes it.
        self.element("climate-save-hours").click()
        table = self.folder / "hours.csv"
        subprocess.run([page_case.CLIMATE, "--hours", str(table), str(files[-1])],
                       capture_output=True, check=True)
        self.assertEqual(self.saved("tarvel-climate-hours.csv"), table.read_bytes())
        # The design conditions are the whole record's, whatever the filter.
        before = self.shown()["conditions"]
        self.choose(month=("7", "7"))
        self.assertEqual(self.shown()["conditions"], before)
        self.assertTrue(self.shown()["zonesTitle"].startswith("舒适区（7 月，"))

    def test_the_density_and_the_points_hold_every_selected_hour(self):
        path = self.weather("year.epw", epw_year(7))
        self.open_file(path)
        self.choose(month=("6", "8"))
        table = self.folder / "hours.csv"
        subprocess.run([page_case.CLIMATE, "--hours", str(table), str(path)],
                       capture_output=True, check=True)
        states = []
        for line in table.read_text().splitlines()[1:]:
            cells = line.split(",")
            if cells[-1] == "" and 6 <= int(cells[0][5:7]) <= 8:
                states.append((float(cells[2]), float(cells[6])))
        # On the t–d chart the plane is the dry bulb across and the moisture content up: each
        # cell is found here as the core finds it, in the same double arithmetic.
        drawn = self.chart("td")
        grid = drawn["grid"]
        x0, x1, y0, y1 = grid["box"]
        expected = collections.Counter(
            (min(math.floor((t - x0) / (x1 - x0) * grid["columns"]), grid["columns"] - 1),
             min(math.floor((d - y0) / (y1 - y0) * grid["rows"]), grid["rows"] - 1))
            for t, d in states)
        self.assertEqual({(c["column"], c["row"]): c["hours"] for c in drawn["cells"]},
                         dict(expected))
        self.assertLessEqual(grid["columns"] * 6, 1400)
        # Each cell has the colour of the band that holds its count; the bands run from 1 to the
        # fullest cell without a gap.
        bands = [[int(x) for x in label.split("–")] for label in drawn["legend"][1:]
                 if re.fullmatch("[0-9]+(–[0-9]+)?", label)]
        self.assertTrue(drawn["legend"][0].startswith("小时数（每格 "), drawn["legend"])
        self.assertEqual(bands[0][0], 1)
        self.assertEqual(bands[-1][-1], max(expected.values()))
        for before, after in zip(bands, bands[1:]):
            self.assertEqual(before[-1] + 1, after[0])
        for cell in drawn["cells"]:
            low, *high = bands[int(cell["band"].rsplit("-", 1)[1])]
            self.assertTrue(low <= cell["hours"] <= (high or [low])[0], cell)
        # On the 焓湿图 as well, and as points.
        drawn = self.chart("hd")
        self.assertEqual(sum(c["hours"] for c in drawn["cells"]), len(states))
        self.element("climate-show-points").click()
        self.assertEqual(self.driver.execute_script(CHART)["points"], len(states))
        self.choose(month=("1", "12"))
        self.assertEqual(self.driver.execute_script(CHART)["points"], 8758)
        self.element("climate-show-density").click()
        self.assertEqual(sum(c["hours"] for c in self.driver.execute_script(CHART)["cells"]), 8758)

    def test_zones_are_outlined_where_their_limits_are_and_can_be_hidden(self):
        self.open_file(self.weather("year.epw", epw_year(8)))
        self.choose(zone=[("20", "26"), ("", ""), ("", ""), ("", "")])
        drawn = self.chart("td")
        # The drawing's x of a dry bulb, from the cells (each column's left edge).
        x0, x1 = drawn["grid"]["box"][:2]
        [(c0, left0), (c1, left1)] = [(c["column"], c["x"]) for c in sorted(
            drawn["cells"], key=lambda c: c["column"])[::len(drawn["cells"]) - 1]]
        scale = (left1 - left0) / ((c1 - c0) * (x1 - x0) / drawn["grid"]["columns"])
        at = lambda t: left0 + (t - (x0 + c0 * (x1 - x0) / drawn["grid"]["columns"])) * scale  # noqa: E731
        for name, low, high in (("GB 50736 供冷 I级", 24, 26), ("GB 50736 供热 II级", 18, 22),
                                ("GB 50174 数据中心", 18, 27), ("自定义区域", 20, 26)):
            xs = [x for x, _ in drawn["zones"][name]]
            self.assertAlmostEqual(min(xs), at(low), delta=0.3, msg=name)
            self.assertAlmostEqual(max(xs), at(high), delta=0.3, msg=name)
        self.assertEqual(sorted(drawn["zones"]), sorted(
            z["name"] for z in json.loads(self.command(
                self.folder / "year.epw", "--zone", "dry_bulb=20..26"))["zones"]))
        for name in ("PMV I级", "PMV II级"):
            self.assertGreater(len(drawn["zones"][name]), 20, name)
        self.assertIn("PMV II级", drawn["legend"])
        # Hidden and shown again.
        box = self.driver.find_element(By.XPATH, "//table[@id='climate-zones']//label"
                                       "[normalize-space()='PMV II级']/input")
        box.click()
        hidden = self.driver.execute_script(CHART)
        self.assertNotIn("PMV II级", hidden["zones"])
        self.assertNotIn("PMV II级", hidden["legend"])
        box.click()
        self.assertIn("PMV II级", self.driver.execute_script(CHART)["zones"])
        # Outlines of relative humidity and PMV are drawn for the chart's pressure.
        self.set_texts({PRESSURE: "80"})
        at_80 = self.driver.execute_script(CHART)["zones"]
        self.assertNotEqual(at_80["GB 50736 供冷 I级"], drawn["zones"]["GB 50736 供冷 I级"])
        self.assertEqual([x for x, _ in at_80["GB 50736 供热 II级"]],
                         [x for x, _ in drawn["zones"]["GB 50736 供热 II级"]])
        self.choose(pmv=("2", "0.5", "0.1"))
        self.assertNotEqual(self.driver.execute_script(CHART)["zones"]["PMV I级"], at_80["PMV I级"])

    def test_the_outdoor_states_go_into_the_process_panel(self):
        path = self.weather("year.epw", epw_year(9))
        self.open_file(path)
        answer = json.loads(self.command(path))
        buttons = self.driver.find_elements(By.CSS_SELECTOR, "#climate-outdoor button")
        self.assertEqual([b.text for b in buttons], ["用作室外状态"] * 2)
        # An empty design takes the summer state's pressure.
        buttons[0].click()
        summer = answer["outdoor"]["summer"]
        self.assertEqual(self.element("design-pressure").get_attribute("value"),
                         summer["pressure"])
        self.assertEqual(self.design_rows(), [["W"] + summer["fields"]])
        self.assertEqual(self.element("design-status").text, "")
        # A design with its own pressure keeps it: W replaces the example's W at that pressure,
        # and the panel says so.
        self.element("design-example-summer").click()
        buttons[1].click()
        winter = answer["outdoor"]["winter"]
        self.assertEqual(list(winter["inputs"]), ["dry_bulb", "rel_humidity"])
        texts = {"Text(0)": winter["inputs"]["dry_bulb"],
                 "Text(2)": winter["inputs"]["rel_humidity"], PRESSURE: "101.325"}
        [expected] = page_case.replay([(texts, "calculate")])
        rows = self.design_rows()
        self.assertEqual([row[0] for row in rows], ["N", "W", "O", "C", "L", "R"])
        self.assertEqual(rows[1], ["W"] + expected["fields"])
        self.assertEqual(self.element("design-status").text,
                         "W 按设计的大气压力 101.325 kPa 计算，与冬季大气压力 %s kPa 不同"
                         % winter["pressure"])
        self.assertEqual(self.element("climate-status").text, "已把冬季室外状态 W 放入空调过程")

    def design_rows(self):
        return self.driver.execute_script(
            "return [...document.querySelectorAll('#design-states tbody tr')].map("
            "(row) => [...row.children].slice(0, 7).map((cell) => cell.textContent));")

    def test_files_dropped_refused_and_closed(self):
        good = epw_year(10)
        drop = """
            const [files] = arguments;
            const data = new DataTransfer();
            for (const [name, text] of files) data.items.add(new File([text], name));
            document.getElementById('climate-panel').dispatchEvent(
                new DragEvent('drop', {dataTransfer: data, bubbles: true, cancelable: true}));"""
        self.driver.execute_script(drop, [["dropped.epw", good]])
        chromium.wait(self.driver, lambda d: self.element("climate-status").text)
        self.assertEqual(self.element("climate-status").text, "已读入“dropped.epw”")
        self.assertTrue(self.element("climate-results").is_displayed())
        self.driver.execute_script(drop, [["a.epw", good], ["b.epw", good]])
        self.assertEqual(self.element("climate-status").text, "一次只能打开一个气象文件")
        # A refused file leaves no record and nothing on the chart.
        self.assertEqual(self.open_file(self.weather("empty.epw", "")),
                         "无法读入“empty.epw”：文件是空的")
        self.assertFalse(self.element("climate-results").is_displayed())
        self.assertEqual(self.driver.execute_script(CHART)["cells"], [])
        # A CSV without pressures is read with the pressure given for it.
        csv = weather_files.csv_text().replace("time,pressure,", "time,气压,")
        self.assertIn("没有当地大气压力列", self.open_file(self.weather("no pressure.csv", csv)))
        self.element("climate-pressure").send_keys("abc", Keys.TAB)
        self.assertEqual(self.element("climate-status").text,
                         "大气压力“abc”不是正数（以千帕计，如 101.325）")
        self.element("climate-pressure").clear()
        self.element("climate-pressure").send_keys("99.5", Keys.TAB)
        self.open_file(self.folder / "no pressure.csv")
        self.assertEqual(self.shown()["outdoor"][1][1:], ["99.5", "99.5"])
        self.element("climate-close").click()
        self.assertFalse(self.element("climate-results").is_displayed())
        self.assertEqual(self.driver.execute_script(CHART)["zones"], {})
        if page_case.CLIMATE_SCREENSHOT:
            self.screenshot()

    def screenshot(self):
        """A real year on the 焓湿图 as a density with the zones, beside the panel's zones and
        design conditions, at twice the pixel density, as the README shows it."""
        with chromium.browser(width=1240, height=1000) as driver:
            chromium.viewport(driver, 1240, 900, scale=2)
            chromium.shown_page(driver, chromium.page_url(page_case.PAGE))
            driver.find_element(By.ID, "climate-file").send_keys(
                str(page_case.ROOT / "docs" / "weather" / "chicago.epw"))
            chromium.wait(driver, lambda d: d.find_elements(By.CSS_SELECTOR, ".climate-cells"))
            driver.execute_script("document.getElementById('climate-station').scrollIntoView();"
                                  "document.activeElement.blur()")
            driver.save_screenshot(str(page_case.CLIMATE_SCREENSHOT))
