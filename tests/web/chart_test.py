"""The chart beside the window: its place on a wide screen and on a phone, picking states by
clicking, the layout switch, the marker, any pressure text, saving as SVG and PNG, and its focus
order.
"""

import pathlib
import shutil
import tempfile
import xml.etree.ElementTree

import PIL.Image

from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

import chromium
from page_case import FIELDS, PRESSURE, TAB_ORDER, PageCase, replay

# The chart's state as the page shows it: the readout's six values (t, φ, tw, td, d, h), the
# marker's centre, the svg's label and every path's outline.
CHART_STATE = """
const readout = [...document.querySelectorAll("#chart-readout span")].map(
    (s) => s.textContent.split(" ")[1]);
const circle = document.querySelector("#chart-point circle");
const r = circle && circle.getBoundingClientRect();
return {readout, marker: r && [r.left + r.width / 2, r.top + r.height / 2],
        atEdge: circle !== null && circle.parentNode.classList.contains("at-edge"),
        label: document.getElementById("chart").getAttribute("aria-label"),
        paths: [...document.querySelectorAll("#chart path")].map((p) => p.getAttribute("d")),
        captions: [...document.querySelectorAll("#chart .captions text")].map(
            (t) => t.textContent)};
"""
READOUT_FIELDS = ["Text(0)", "Text(2)", "Text(1)", "Text(3)", "Text(4)", "Text(5)"]


class ChartTest(PageCase):
    """The chart beside the window, on a screen of 1400 × 900 CSS pixels."""
    SCREEN = (1400, 900)

    def chart(self):
        return self.driver.execute_script(CHART_STATE)

    def plot(self):
        return self.driver.find_element(By.CSS_SELECTOR, "#chart-plot rect.area")

    def point_at(self, fx, fy):
        """Moves the pointer to the fractions fx, fy of the plot's width and height; returns
        where it is, in CSS pixels of the viewport."""
        area = self.plot().rect
        dx, dy = area["width"] * (fx - 0.5), area["height"] * (fy - 0.5)
        ActionChains(self.driver).move_to_element_with_offset(self.plot(), dx, dy).perform()
        return area["x"] + area["width"] / 2 + dx, area["y"] + area["height"] / 2 + dy

    def pick_and_check(self, fx, fy, pressure_after):
        """Hovers, clicks and checks the readout, the fields and the marker; returns the
        fields."""
        at = self.point_at(fx, fy)
        readout = chromium.wait(self.driver, lambda d: self.chart()["readout"])
        ActionChains(self.driver).click().perform()
        chromium.wait(self.driver, lambda d: self.chart()["marker"])
        texts = {"Text(0)": readout[0], "Text(4)": readout[4], PRESSURE: pressure_after}
        [expected] = replay([(texts, "calculate")])
        self.assertEqual(expected["messages"], [])
        fields = expected["fields"] + [expected["pressure"]]
        self.assertEqual(self.texts(), fields)
        # The readout is what the pick calculates, and the marker lands where the click was.
        self.assertEqual(readout, [expected["fields"][FIELDS.index(f)] for f in READOUT_FIELDS])
        state = self.chart()
        self.assertLess(abs(state["marker"][0] - at[0]) + abs(state["marker"][1] - at[1]), 4)
        self.assertIn(readout[0] + " ℃", state["label"])
        return fields

    def test_beside_the_window_and_below_it_on_a_phone(self):
        self.open_page()
        for width, height, mobile in ((1400, 900, False), (390, 844, True)):
            chromium.viewport(self.driver, width, height, mobile=mobile)
            window = self.element("form1").rect
            chart = self.element("chart").rect
            # Drawn again for its new size: one unit of the drawing is one CSS pixel.
            chromium.wait(self.driver, lambda d: d.execute_script(
                "const c = document.getElementById('chart');"
                "return c.getAttribute('viewBox') == `0 0 ${c.clientWidth} ${c.clientHeight}`"))
            if mobile:
                self.assertGreaterEqual(chart["y"], window["y"] + window["height"])
                self.assertAlmostEqual(chart["x"], 0, delta=1)
                self.assertAlmostEqual(chart["width"], width, delta=1)
            else:
                self.assertGreaterEqual(chart["x"], window["x"] + window["width"])
                for box in (window, chart):
                    self.assertGreaterEqual(min(box["x"], box["y"]), 0)
                    self.assertLessEqual(box["x"] + box["width"], width)
                    self.assertLessEqual(box["y"] + box["height"], height)
                self.assertGreater(chart["width"], 700)

    def test_picks_two_states_by_clicking(self):
        self.open_page()
        state = self.chart()
        self.assertIsNone(state["marker"], "no marker before the first calculation")
        self.assertEqual(state["captions"][0], "大气压力 101.325 kPa")
        # In the 焓湿图, with the pressure field empty: the pick writes the chart's 101.325.
        self.assertEqual(self.element("chart-layout-hd").get_attribute("aria-pressed"), "true")
        self.pick_and_check(0.3, 0.45, "101.325")
        # In the t–d layout at 84.556 kPa, over a calculation that left other parameters: they
        # are emptied first, so the pick is dry bulb with moisture content.
        self.element("chart-layout-td").click()
        self.set_texts({"Text(1)": "5", "Text(2)": "20", "Text(5)": "9", PRESSURE: "84.556"})
        chromium.wait(self.driver, lambda d: "84.556 kPa" in self.chart()["captions"][0])
        self.pick_and_check(0.6, 0.8, "84.556")
        # Above the saturation curve (the upper left of the t–d plot): nothing to read or pick.
        before = self.texts()
        self.point_at(0.05, 0.05)
        self.assertEqual(self.chart()["readout"], [])
        ActionChains(self.driver).click().perform()
        self.assertEqual(self.texts(), before)
        self.assertFalse(self.driver.find_elements(By.CSS_SELECTOR, "dialog[open]"))
        # Text that is no pressure is left as it is: the command answers it.
        self.set_texts({PRESSURE: "-5"})
        self.point_at(0.6, 0.8)
        ActionChains(self.driver).click().perform()
        chromium.open_dialog(self.driver)
        self.assertEqual(self.element(PRESSURE).get_attribute("value"), "-5")
        # While the message is open, a click on the chart does nothing.
        shown = self.texts()
        self.driver.execute_script("document.querySelector('#chart-plot rect').dispatchEvent("
                                   "new MouseEvent('click', {bubbles: true, clientX: 900, "
                                   "clientY: 400}))")
        self.assertEqual(self.texts(), shown)
        self.element("message-ok").click()
        chromium.dialog_closed(self.driver)
        self.assertIsNone(self.chart()["marker"], "a message removes the marker")

    def test_layout_is_remembered_and_storage_may_be_refused(self):
        self.open_page()
        self.element("chart-layout-td").click()
        self.assertEqual(self.chart()["captions"][2], "干球温度 t (℃)")
        self.open_page()
        self.assertEqual(self.element("chart-layout-td").get_attribute("aria-pressed"), "true")
        self.element("chart-layout-hd").click()
        self.assertEqual(self.chart()["captions"][2], "含湿量 d (g/kg)")
        self.assertEqual(self.element("chart-layout-td").get_attribute("aria-pressed"), "false")
        refuse = self.driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {
            "source": "Object.defineProperty(window, 'localStorage', {get() { throw new "
                      "DOMException('refused', 'SecurityError'); }});"})
        try:
            self.open_page()
            self.element("chart-layout-td").click()
            self.assertEqual(self.element("chart-layout-td").get_attribute("aria-pressed"),
                             "true")
        finally:
            self.driver.execute_cdp_cmd("Page.removeScriptToEvaluateOnNewDocument",
                                        {"identifier": refuse["identifier"]})

    def test_marker_follows_calculations_and_the_clear_command(self):
        self.open_page()
        self.set_texts({"Text(0)": "20", "Text(2)": "50", PRESSURE: "101.325"})
        self.element("Command1").click()
        state = self.chart()
        self.assertIsNotNone(state["marker"])
        self.assertIn("大气压力 101.325 kPa", state["label"])
        self.assertIn("干球温度 20 ℃，相对湿度 50 ％", state["label"])
        self.element("Command2").click()
        self.assertIsNone(self.chart()["marker"])
        self.assertNotIn("干球温度", self.chart()["label"])
        # Far out: the range grows to hold the state; beyond its limit the marker stands at
        # the edge.
        plot = self.plot().rect
        for dry_bulb, moisture, at_edge in (("150", "10", False), ("80", "500", False),
                                            ("250", "100", True)):
            self.set_texts({"Text(0)": dry_bulb, "Text(4)": moisture, PRESSURE: "101.325"})
            self.element("Command1").click()
            chromium.dialog_closed(self.driver)
            state = self.chart()
            self.assertEqual(state["atEdge"], at_edge, dry_bulb)
            x, y = state["marker"]
            self.assertTrue(plot["x"] - 1 <= x <= plot["x"] + plot["width"] + 1, dry_bulb)
            self.assertTrue(plot["y"] - 1 <= y <= plot["y"] + plot["height"] + 1, dry_bulb)

    def test_any_pressure_text_gives_a_whole_chart(self):
        self.open_page()
        for text, shown in (("", "101.325"), ("abc", "101.325"), ("-5", "101.325"),
                            ("0", "101.325"), ("1e999", "101.325"), ("0.5", "101.325"),
                            ("20000", "101.325"), ("1", "1"), ("10000", "10000"),
                            ("84.556", "84.556"), ("5 kPa", "5")):
            for layout in ("hd", "td"):
                self.element("chart-layout-" + layout).click()
                self.element(PRESSURE).clear()
                self.element(PRESSURE).send_keys(text)
                state = self.chart()
                self.assertEqual(state["captions"][0], "大气压力 %s kPa" % shown, text)
                self.assertGreater(len(state["paths"]), 20, text)
                for path in state["paths"]:
                    self.assertRegex(path, r"^M[-0-9. L]+$", text)

    def test_saves_the_chart_as_svg_and_png(self):
        self.open_page()
        folder = pathlib.Path(tempfile.mkdtemp(prefix="tarvel-downloads-"))
        try:
            self.driver.execute_cdp_cmd("Page.setDownloadBehavior",
                                        {"behavior": "allow", "downloadPath": str(folder)})
            self.set_texts({"Text(0)": "20", "Text(2)": "50", PRESSURE: "101.325"})
            self.element("Command1").click()
            self.element("chart-save-svg").click()
            self.element("chart-save-png").click()
            svg = chromium.wait(self.driver, lambda d: (folder / "tarvel-chart.svg").is_file()
                                and (folder / "tarvel-chart.png").is_file()
                                and (folder / "tarvel-chart.svg"))
            text = svg.read_text(encoding="utf-8")
            root = xml.etree.ElementTree.fromstring(text)
            self.assertEqual(root.get("id"), "chart")
            self.assertIn('id="chart-point"', text)
            self.assertIn("20 ℃ · 50 ％ · 7.26 g/kg", text)
            self.assertIn('font-family: "Tarvel Units"', text)
            self.assertNotIn("NaN", text)
            size = self.driver.execute_script(
                "const c = document.getElementById('chart'); return [c.clientWidth, c.clientHeight]")
            png = chromium.wait(self.driver, lambda d: _image(folder / "tarvel-chart.png"))
            self.assertEqual(png.size, (size[0] * 2, size[1] * 2))
            self.assertGreater(len(set(png.convert("L").getdata())), 16)
        finally:
            shutil.rmtree(folder, ignore_errors=True)

    def test_chart_controls_follow_the_windows_tab_stops(self):
        self.open_page()
        for _ in TAB_ORDER[1:]:
            self.keys(Keys.TAB)
        visited = []
        for _ in range(6):
            self.keys(Keys.TAB)
            visited.append(self.focused())
        # The altitude helper below the window, then the chart.
        self.assertEqual(visited, ["altitude-metres", "altitude-fill", "chart-layout-hd",
                                   "chart-layout-td", "chart-save-svg", "chart-save-png"])
        self.assertEqual(self.element("chart").get_attribute("role"), "img")
        self.assertIn("101.325 kPa", self.element("chart").accessible_name)
        # The layout switches with the keyboard too.
        ActionChains(self.driver).key_down(Keys.SHIFT).send_keys(Keys.TAB, Keys.TAB).key_up(
            Keys.SHIFT).perform()
        self.assertEqual(self.focused(), "chart-layout-td")
        self.keys(Keys.ENTER)
        self.assertEqual(self.element("chart-layout-td").get_attribute("aria-pressed"), "true")


def _image(path):
    """The picture in the file, once it is written completely, else None."""
    try:
        image = PIL.Image.open(path)
        image.load()
        return image
    except (OSError, PIL.UnidentifiedImageError):
        return None
