"""What the climate panel's tests share: weather files written for a test, opened in the panel as
a person would open them, the panel's options chosen, tarvel-climate run on the same file, and what
the panel and the chart show, read back as texts and numbers.
"""

import pathlib
import shutil
import subprocess
import tempfile

from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import Select

import chromium
import page_case
import weather_files
from page_case import PageCase


# The zones' table, the conditions' and the outdoor states', each a list of rows of texts.
TABLES = """
const rows = (id) => [...document.querySelectorAll('#' + id + ' tr')].map(
    (row) => [...row.children].map((cell) => cell.textContent));
return {station: document.getElementById('climate-station').textContent,
        counts: document.getElementById('climate-counts').textContent,
        notes: [...document.querySelectorAll('#climate-notes li')].map((li) => li.textContent),
        zonesTitle: document.getElementById('climate-zones-title').textContent,
        zones: rows('climate-zones').slice(1), conditions: rows('climate-conditions'),
        outdoor: rows('climate-outdoor')};
"""
# What the chart shows of the file: the density's grid and cells, the points, the zones' outlines
# with their points on the drawing, and the legend's texts.
CHART = """
const cells = document.querySelector('.climate-cells');
const points = document.querySelector('.climate-points');
const numbers = (path) => [...path.getAttribute('d').matchAll(/[ML]([-0-9.]+) ([-0-9.]+)/g)]
    .map((m) => [Number(m[1]), Number(m[2])]);
return {grid: cells && {columns: Number(cells.dataset.columns), rows: Number(cells.dataset.rows),
          box: cells.dataset.box.split(' ').map(Number)},
        cells: cells ? [...cells.children].map((r) => ({column: Number(r.dataset.column),
          row: Number(r.dataset.row), hours: Number(r.dataset.hours),
          band: r.getAttribute('class'), x: Number(r.getAttribute('x')),
          width: Number(r.getAttribute('width'))})) : [],
        points: points ? Number(points.dataset.points) : null,
        zones: Object.fromEntries([...document.querySelectorAll('.climate-zones path')].map(
          (p) => [p.dataset.zone, numbers(p)])),
        legend: [...document.querySelectorAll('.climate-legend text')].map((t) => t.textContent)};
"""
SEASONS = {"summer": 0, "winter": 1}


def epw_year(seed):
    """A made-up year as EPW, with one hour whose dew point and humidity are missing and one
    whose pressure is."""
    lines = weather_files.epw_text(seed=seed).split("\n")
    fields = lines[8 + 100].split(",")
    fields[7:9] = ["99.9", "999"]
    lines[8 + 100] = ",".join(fields)
    fields = lines[8 + 200].split(",")
    fields[9] = "999999"
    lines[8 + 200] = ",".join(fields)
    return "\n".join(lines)


class ClimateCase(PageCase):
    """The climate panel at 1400 × 900 CSS pixels, a folder of files and downloads for each test."""
    SCREEN = (1400, 900)

    def setUp(self):
        super().setUp()
        self.folder = pathlib.Path(tempfile.mkdtemp(prefix="tarvel-climate-"))
        self.downloads = self.folder / "downloads"
        self.downloads.mkdir()
        self.driver.execute_cdp_cmd("Page.setDownloadBehavior",
                                    {"behavior": "allow", "downloadPath": str(self.downloads)})
        self.driver.get("about:blank")
        self.open_page()

    def tearDown(self):
        shutil.rmtree(self.folder, ignore_errors=True)
        super().tearDown()

    def weather(self, name, text):
        path = self.folder / name
        path.write_bytes(text.encode() if isinstance(text, str) else text)
        return path

    def command(self, path, *args):
        """tarvel-climate --json on the file: its output line, as text."""
        done = subprocess.run([page_case.CLIMATE, "--json", *args, str(path)],
                              capture_output=True, check=True)
        return done.stdout.decode()

    def open_file(self, path):
        self.element("climate-file").send_keys(str(path))
        chromium.wait(self.driver, lambda d: self.element("climate-status").text.startswith(
            ("已读入", "无法读入")))
        return self.element("climate-status").text

    def choose(self, month=("1", "12"), hour=("0", "23"), pmv=None, zone=None):
        """The filter, and the PMV settings and the user zone's limits ([lower, upper] for the
        dry bulb, relative humidity, dew point and moisture content) when given."""
        for name, (first, last) in (("month", month), ("hour", hour)):
            Select(self.element("climate-%s-from" % name)).select_by_value(first)
            Select(self.element("climate-%s-to" % name)).select_by_value(last)
        settings = self.element("climate-settings")
        if (pmv or zone) and not settings.get_attribute("open"):
            settings.find_element(By.TAG_NAME, "summary").click()
        texts = dict(zip(("climate-met", "climate-clo", "climate-air-speed"), pmv or ()))
        for field, pair in zip((0, 2, 3, 4), zone or ()):
            texts.update({"climate-zone-%d-lower" % field: pair[0],
                          "climate-zone-%d-upper" % field: pair[1]})
        for element_id, text in texts.items():
            field = self.element(element_id)
            field.clear()
            field.send_keys(text, Keys.TAB)

    def saved(self, name):
        path = self.downloads / name
        chromium.wait(self.driver, lambda d: path.is_file() and path.stat().st_size > 0)
        data = path.read_bytes()
        path.unlink()
        return data

    def shown(self):
        return self.driver.execute_script(TABLES)

    def chart(self, layout):
        self.element("chart-layout-" + layout).click()
        return self.driver.execute_script(CHART)

    def assert_shown_as(self, answer, label):
        """The panel's tables show the command's answer, text for text."""
        shown = self.shown()
        station = answer["station"]
        self.assertTrue(shown["station"].startswith(
            "气象站：" + (station["name"] or "（文件未给出）")), label)
        self.assertEqual(shown["counts"], "记录：%d 年，%d 小时；不参加统计 %d 小时" % (
            answer["years"], answer["hours"], answer["missing"]), label)
        conditions = {name: text for name, text in shown["conditions"]}
        self.assertEqual(conditions["夏季空调室外计算干球温度"],
                         answer["conditions"]["summer_dry_bulb"] + " ℃", label)
        self.assertEqual(conditions["冬季大气压力"],
                         answer["conditions"]["winter_pressure"] + " kPa", label)
        self.assertEqual(len(conditions), 12, label)
        self.assertEqual([[row[0], row[2], row[3]] for row in shown["zones"]],
                         [[z["name"], str(z["hours"]), z["share"] + " %"] for z in answer["zones"]],
                         label)
        for season, column in SEASONS.items():
            state = answer["outdoor"][season]
            self.assertEqual([row[column + 1] for row in shown["outdoor"][1:9]],
                             [state["pressure"]] + state["fields"] + [""], label + " " + season)
