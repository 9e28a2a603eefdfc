#!/usr/bin/python3
"""The web page in Debian's headless chromium, used as a person would use it.

    browser_test.py out/web/index.html [--screenshot FILE] [--node NODE] [unittest options]

Expected answers come from the golden files and from the node replay beside the page (the same
WebAssembly core, itself compared with the desktop replay), so this test checks the page: what it
shows, where, in which focus order, and that it hands the core the texts the window would.
--screenshot draws the window after a calculation into FILE (the README's picture).
"""

import argparse
import functools
import http.server
import json
import pathlib
import re
import shutil
import subprocess
import sys
import tempfile
import threading
import unittest
import xml.etree.ElementTree

import PIL.Image

from selenium.common.exceptions import ElementClickInterceptedException
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[1] / "tools"))
import chromium  # noqa: E402
import random_requests  # noqa: E402

ROOT = pathlib.Path(__file__).resolve().parents[2]
PAGE = None
SCREENSHOT = None
NODE = "node"

# The fields by their index in the core and in the replay protocol: Text(0) to Text(5), Text4.
FIELDS = ["Text(0)", "Text(1)", "Text(2)", "Text(3)", "Text(4)", "Text(5)", "Text4"]
PRESSURE = "Text4"

# The form: control, caption, left, top, width, height in units of 1/1440 inch.
CONTROLS = [
    ("Label7", "当地大气压力", 240, 240, 1335, 375), ("Text4", "", 1560, 120, 2415, 375),
    ("Label8", "kPa", 4080, 240, 375, 375), ("label1", "干球温度", 240, 960, 855, 375),
    ("Text(0)", "", 1200, 840, 735, 375), ("Label4", "℃", 2040, 960, 375, 375),
    ("Label9", "露点温度", 2880, 960, 855, 375), ("Text(3)", "", 3960, 840, 735, 375),
    ("Label10", "℃", 4800, 960, 375, 375), ("Label2", "湿球温度", 240, 1560, 855, 375),
    ("Text(1)", "", 1200, 1440, 735, 375), ("Label5", "℃", 2040, 1560, 375, 375),
    ("Label11", "含湿量", 2880, 1560, 855, 375), ("Text(4)", "", 3960, 1440, 735, 375),
    ("Label12", "g/kg", 4800, 1560, 495, 375), ("Label3", "相对湿度", 240, 2160, 855, 375),
    ("Text(2)", "", 1200, 2040, 735, 375), ("Label6", "％", 2040, 2160, 375, 375),
    ("Label13", "湿空气焓", 2880, 2160, 855, 375), ("Text(5)", "", 3960, 2040, 735, 375),
    ("Label14", "kJ/kg", 4800, 2160, 495, 375),
    ("Command1", "湿空气参数计算", 960, 2760, 1575, 495),
    ("Command2", "数值清空", 3120, 2760, 1575, 495),
]
# What a screen reader announces for each field.
ACCESSIBLE_NAMES = {
    "Text(0)": "干球温度 ℃", "Text(1)": "湿球温度 ℃", "Text(2)": "相对湿度 ％",
    "Text(3)": "露点温度 ℃", "Text(4)": "含湿量 g/kg", "Text(5)": "湿空气焓 kJ/kg",
    "Text4": "当地大气压力 kPa",
}
TAB_ORDER = ["Text(0)", "Text(2)", "Text(1)", "Text4", "Text(3)", "Text(4)", "Text(5)",
             "Command1", "Command2"]

# Every message of a calculation: the texts typed, then its text, icon and title.
MESSAGES = [
    ({"Text(0)": "20", "Text(2)": "50"}, "请输入当地大气压力数值", "Critical", "注意"),
    ({"Text(0)": "20", PRESSURE: "101.325"}, "请输入两个以上空气参数", "Exclamation", "注意"),
    ({"Text(1)": "20", "Text(5)": "50", PRESSURE: "101.325"}, "无法得出结果", "None", "错误"),
    ({"Text(3)": "10", "Text(4)": "7", PRESSURE: "101.325"}, "有多种结果", "None", "注意"),
    # The wet bulb is written before the search for the dew point fails.
    ({"Text(0)": "20", "Text(2)": "-10", PRESSURE: "101.325"}, "超出区域范围", "Critical", "注意"),
    # The dry bulb is written before the fault.
    ({"Text(1)": "10", "Text(4)": "600", PRESSURE: "101.325"}, "数值运算错误", "Critical", "错误"),
]
CLOSE_KEYS = [Keys.ENTER, Keys.ESCAPE, None]  # None: the button "确定" is clicked

# Texts nobody should type, each in the dry-bulb field with a relative humidity of 50 at
# 101.325 kPa, or in every field.
BAD_TEXTS = [
    "1" * 200000, "2" + "0" * 5000 + "e-5000", "\u0001\u0002 2\u00070", "\u0000", "\u007f20",
    "🌡️20", "20😀", "😀", "\ud83c20", "20\udc00", "\u202e20", "\ufeff20", "\u00a020",
    "&H" + "F" * 3000, "\u0300", "二十", "２０",
]


def start_up_credit():
    """The start-up text as the desktop window shows it (panel/start_up_text.h)."""
    source = (ROOT / "panel" / "start_up_text.h").read_text(encoding="utf-8")
    literals = re.search(r'kStartUpCredit\s*=\s*((?:"(?:[^"\\]|\\.)*"\s*)+);', source).group(1)
    text = "".join(re.findall(r'"((?:[^"\\]|\\.)*)"', literals))
    return re.sub(r"\\(.)", lambda m: {"n": "\n", "t": "\t"}.get(m.group(1), m.group(1)), text)


def as_desktop(text):
    """The text the window would hand the core: Qt writes a lone surrogate as "?"."""
    return re.sub("[\ud800-\udfff]", "?", text)


def replay(requests):
    """The node replay's answers to the requests, each a dict of field texts and a command."""
    lines = "".join(json.dumps({
        "fields": [as_desktop(texts.get(f, "")) for f in FIELDS[:6]],
        "pressure": as_desktop(texts.get(PRESSURE, "")),
        "command": command}) + "\n" for texts, command in requests)
    out = subprocess.run([NODE, str(PAGE.parent / "replay.mjs")], input=lines.encode(),
                         stdout=subprocess.PIPE, check=True).stdout
    return [json.loads(line) for line in out.splitlines()]


# Runs requests through the page's own buttons in one go: each one's texts into the fields, a click,
# then every message it shows read and closed. Answers as the replay's, without "fault".
RUN_REQUESTS = """
const [requests, done] = arguments;
const ids = ["Text(0)", "Text(1)", "Text(2)", "Text(3)", "Text(4)", "Text(5)", "Text4"];
const fields = ids.map((id) => document.getElementById(id));
const dialog = document.getElementById("message");
const part = (id) => document.getElementById(id).textContent;
(async () => {
  const answers = [];
  for (const [texts, command] of requests) {
    fields.forEach((field, i) => { field.value = texts[i]; });
    document.getElementById(command === "calculate" ? "Command1" : "Command2").click();
    const messages = [];
    while (dialog.open) {
      messages.push({icon: dialog.dataset.icon, text: part("message-text"),
                     title: part("message-title")});
      const closed = new Promise((resolve) => dialog.addEventListener("close", resolve,
                                                                      {once: true}));
      dialog.close();
      await closed;
    }
    answers.push({fields: fields.slice(0, 6).map((f) => f.value), messages,
                  pressure: fields[6].value});
  }
  done(answers);
})();
"""


def golden_cases():
    """Every golden request a single-line field can hold, with its expected answer."""
    cases = []
    for requests in sorted((ROOT / "tests" / "golden").glob("*.jsonl")):
        answers = requests.with_suffix(".expected").read_text(encoding="utf-8").splitlines()
        for line, answer in zip(requests.read_text(encoding="utf-8").splitlines(), answers):
            expected = json.loads(answer)
            if "error" in expected:
                continue
            request = json.loads(line)
            if request.get("command") == "design":  # not typed into the window's fields
                continue
            texts = dict(zip(FIELDS, request["fields"] + [request["pressure"]]))
            # A text field drops line breaks from its value; such texts cannot be typed.
            if not any("\n" in t or "\r" in t for t in texts.values()):
                cases.append((requests.name, texts, request["command"], expected))
    return cases


class PageCase(unittest.TestCase):
    """One browser for a class of tests, and how they use the page."""
    @classmethod
    def setUpClass(cls):
        cls.browsers = chromium.browser(width=800, height=600)
        cls.driver = cls.browsers.__enter__()

    @classmethod
    def tearDownClass(cls):
        cls.browsers.__exit__(None, None, None)

    def tearDown(self):
        errors = [entry for entry in self.driver.get_log("browser") if entry["level"] == "SEVERE"]
        self.assertEqual(errors, [], "the page reported errors")

    # Helpers -------------------------------------------------------------------------------

    def load(self, url=None):
        """Loads the page and returns the open start-up dialog."""
        self.driver.get(url or chromium.page_url(PAGE))
        return chromium.open_dialog(self.driver)

    def open_page(self, url=None):
        """Loads the page and closes the start-up credit."""
        self.load(url)
        self.driver.find_element(By.ID, "message-ok").click()
        chromium.dialog_closed(self.driver)
        chromium.visible(self.driver, "form1")

    def element(self, element_id):
        return self.driver.find_element(By.ID, element_id)

    def focused(self):
        return self.driver.switch_to.active_element.get_attribute("id")

    def keys(self, *keys):
        ActionChains(self.driver).send_keys(*keys).perform()

    def set_texts(self, texts):
        """Puts the texts into the fields (every other field empty), as a paste would. WebDriver
        refuses lone surrogates, so a text holding one goes over as its UTF-16 code units."""
        def transferable(text):
            if not re.search("[\ud800-\udfff]", text):
                return text
            data = text.encode("utf-16-le", "surrogatepass")
            return [int.from_bytes(data[i:i + 2], "little") for i in range(0, len(data), 2)]
        self.driver.execute_script("""
            for (const [id, text] of Object.entries(arguments[0])) {
              const field = document.getElementById(id);
              field.value = typeof text === "string" ? text
                  : text.map(unit => String.fromCharCode(unit)).join("");
              field.dispatchEvent(new Event("input", {bubbles: true}));
            }""", {f: transferable(texts.get(f, "")) for f in FIELDS})

    def texts(self):
        """The fields' texts, lone surrogates shown as the window would hand them on."""
        return self.driver.execute_script(
            "return arguments[0].map(id => document.getElementById(id).value"
            ".replace(/\\p{Cs}/gu, '?'));", FIELDS)

    def messages_after(self, command_button):
        """Clicks the button and returns the messages shown, closing each, with the texts of the
        fields while it was open."""
        self.element(command_button).click()
        shown = []
        while True:
            dialogs = self.driver.find_elements(By.CSS_SELECTOR, "dialog#message[open]")
            if not dialogs:
                return shown
            dialog = dialogs[0]
            shown.append({"text": self.element("message-text").text,
                          "icon": dialog.get_attribute("data-icon"),
                          "title": self.element("message-title").text,
                          "fields": self.texts()})
            self.element("message-ok").click()
            chromium.dialog_closed(self.driver)

    def assert_answer(self, texts, command, expected, label):
        self.set_texts(texts)
        shown = self.messages_after("Command1" if command == "calculate" else "Command2")
        fields = self.texts()
        self.assertEqual(fields, expected["fields"] + [expected["pressure"]], label)
        self.assertEqual([{k: m[k] for k in ("text", "icon", "title")} for m in shown],
                         expected["messages"], label)
        # Every message ends its command: the fields are final while the message is open.
        for message in shown:
            self.assertEqual(message["fields"], fields, label)


class PageTest(PageCase):
    def test_start_up_credit_comes_first(self):
        dialog = self.load()
        self.assertEqual(dialog.get_attribute("data-icon"), "Information")
        self.assertEqual(self.element("message-title").text, "多谢使用")
        self.assertEqual(self.element("message-text").text, start_up_credit())
        self.assertEqual(self.element("message-ok").text, "确定")
        self.assertEqual(self.focused(), "message-ok")
        # The window is not shown, let alone usable, while the credit is open.
        self.assertFalse(self.element("form1").is_displayed())
        self.keys(Keys.ESCAPE)
        chromium.dialog_closed(self.driver)
        chromium.visible(self.driver, "form1")
        self.assertEqual(self.focused(), "Text(0)")
        self.assertEqual(self.texts(), [""] * 7)

    def test_window_shows_the_forms_controls(self):
        self.open_page()
        self.assertEqual(self.driver.title, "Tarvel")
        self.assertEqual(self.element("form1-title").text, "Tarvel")
        client = self.driver.find_element(By.CSS_SELECTOR, "#form1 .client").rect
        self.assertAlmostEqual(client["width"], 5565 / 15, delta=1)
        self.assertAlmostEqual(client["height"], 3435 / 15, delta=1)
        for name, caption, left, top, width, height in CONTROLS:
            element = self.element(name)
            if element.tag_name == "input":
                self.assertEqual(element.get_attribute("value"), "", name)
            else:
                self.assertEqual(element.text, caption, name)
            rect = element.rect
            place = (rect["x"] - client["x"], rect["y"] - client["y"], rect["width"],
                     rect["height"])
            for got, units in zip(place, (left, top, width, height)):
                self.assertAlmostEqual(got, units / 15, delta=1, msg=name)
        self.assertEqual(len(self.driver.find_elements(By.CSS_SELECTOR, "#form1 input")), 7)
        self.assertEqual(len(self.driver.find_elements(By.CSS_SELECTOR, "#form1 button")), 2)
        for field, name in ACCESSIBLE_NAMES.items():
            self.assertEqual(self.element(field).accessible_name, name)
            self.assertIsNone(self.element(field).get_attribute("maxlength"), field)

    def test_tab_visits_the_fields_in_the_windows_order(self):
        self.open_page()
        visited = [self.focused()]
        for _ in TAB_ORDER[1:]:
            self.keys(Keys.TAB)
            visited.append(self.focused())
        self.assertEqual(visited, TAB_ORDER)
        for expected in reversed(TAB_ORDER[:-1]):
            ActionChains(self.driver).key_down(Keys.SHIFT).send_keys(Keys.TAB).key_up(
                Keys.SHIFT).perform()
            self.assertEqual(self.focused(), expected)

    def test_calculate_and_clear_with_the_keyboard_alone(self):
        self.open_page()
        # Dry bulb, relative humidity, (wet bulb), pressure, then on to the calculate button.
        self.keys("20", Keys.TAB, "50", Keys.TAB, Keys.TAB, "101.325")
        self.keys(Keys.TAB, Keys.TAB, Keys.TAB, Keys.TAB)
        self.assertEqual(self.focused(), "Command1")
        self.keys(Keys.ENTER)
        [expected] = replay([({"Text(0)": "20", "Text(2)": "50", PRESSURE: "101.325"},
                              "calculate")])
        chromium.wait(self.driver, lambda d: self.texts()[1] != "")
        self.assertEqual(self.texts(), expected["fields"] + [expected["pressure"]])
        self.assertEqual(expected["messages"], [])
        if SCREENSHOT:
            self.screenshot()
        # The clear command empties the six parameters and keeps the pressure.
        self.keys(Keys.TAB)
        self.assertEqual(self.focused(), "Command2")
        self.keys(Keys.SPACE)
        chromium.wait(self.driver, lambda d: self.texts()[0] == "")
        self.assertEqual(self.texts(), [""] * 6 + ["101.325"])
        self.assertFalse(self.driver.find_elements(By.CSS_SELECTOR, "dialog[open]"))

    def test_each_message_with_its_text_icon_and_title(self):
        self.open_page()
        answers = replay([(texts, "calculate") for texts, *_ in MESSAGES])
        for (texts, text, icon, title), answer, close in zip(MESSAGES, answers,
                                                             CLOSE_KEYS * len(MESSAGES)):
            with self.subTest(message=text):
                self.set_texts(texts)
                self.element("Command1").click()
                dialog = chromium.open_dialog(self.driver)
                self.assertEqual(self.element("message-text").text, text)
                self.assertEqual(dialog.get_attribute("data-icon"), icon)
                self.assertEqual(self.element("message-title").text, title)
                self.assertEqual(self.element("message-ok").text, "确定")
                self.assertEqual(self.driver.find_element(By.CSS_SELECTOR, "#message .icon")
                                 .is_displayed(), icon != "None")
                self.assertEqual(answer["messages"], [{"text": text, "icon": icon,
                                                       "title": title}])
                # The fields written before the message are visible while it is open.
                self.assertEqual(self.texts(), answer["fields"] + [answer["pressure"]])
                self.assertEqual(self.focused(), "message-ok")
                # Nothing else can be used while it is open.
                with self.assertRaises(ElementClickInterceptedException):
                    self.element("Command2").click()
                if close is None:
                    self.element("message-ok").click()
                else:
                    self.keys(close)
                chromium.dialog_closed(self.driver)
                self.assertEqual(self.focused(), "Command1")
                self.assertEqual(self.texts(), answer["fields"] + [answer["pressure"]])

    def test_golden_cases_answer_as_on_the_desktop(self):
        self.open_page()
        cases = golden_cases()
        self.assertGreater(len(cases), 50)
        for name, texts, command, expected in cases:
            self.assert_answer(texts, command, expected, "%s: %s" % (name, texts))

    def test_random_requests_answer_as_the_replay(self):
        # The page's own core (not the replay's build of it) on random requests: every request a
        # single-line field can hold, answered as the replay answers it.
        self.open_page()
        requests = []
        for line in random_requests.requests(1000, seed=2):
            try:
                request = json.loads(line)
            except ValueError:
                continue
            if not isinstance(request, dict) or not isinstance(request.get("fields"), list):
                continue
            texts = dict(zip(FIELDS, request["fields"] + [request.get("pressure")]))
            # Lone surrogates are malformed requests to the replay, and line breaks do not fit.
            typable = all(isinstance(t, str) and not re.search("[\n\r\ud800-\udfff]", t)
                          for t in texts.values())
            if len(texts) == 7 and typable and request.get("command") in ("calculate", "clear"):
                requests.append((texts, request["command"]))
        self.assertGreater(len(requests), 800)
        expected = replay(requests)
        self.driver.set_script_timeout(300)
        answers = self.driver.execute_async_script(
            RUN_REQUESTS, [([texts[f] for f in FIELDS], command) for texts, command in requests])
        for (texts, _), answer, want in zip(requests, answers, expected):
            del want["fault"]
            self.assertEqual(answer, want, repr(texts)[:300])

    def test_bad_texts_give_the_windows_answer(self):
        self.open_page()
        cases = []
        for text in BAD_TEXTS:
            cases.append({"Text(0)": text, "Text(2)": "50", PRESSURE: "101.325"})
            cases.append({field: text for field in FIELDS})
        for texts, expected in zip(cases, replay([(texts, "calculate") for texts in cases])):
            self.assert_answer(texts, "calculate", expected, repr(texts)[:200])
        # Still usable afterwards.
        texts = {"Text(0)": "20", "Text(2)": "50", PRESSURE: "101.325"}
        [expected] = replay([(texts, "calculate")])
        self.assert_answer(texts, "calculate", expected, "after the bad texts")

    def test_a_text_larger_than_the_cores_memory(self):
        # 2 * 10^7 characters, made in the page: more than the core's first memory, which grows.
        self.open_page()
        length = 20_000_000
        texts = {"Text(0)": "1" * length, "Text(2)": "50", PRESSURE: "101.325"}
        [expected] = replay([(texts, "calculate")])
        self.set_texts({"Text(2)": "50", PRESSURE: "101.325"})
        self.driver.execute_script(
            "document.getElementById('Text(0)').value = '1'.repeat(arguments[0]);", length)
        self.element("Command1").click()
        self.assertEqual(expected["messages"][0]["text"], "数值运算错误")
        dialog = chromium.open_dialog(self.driver)
        self.assertEqual(self.element("message-text").text, expected["messages"][0]["text"])
        self.assertEqual(dialog.get_attribute("data-icon"), expected["messages"][0]["icon"])
        self.element("message-ok").click()
        chromium.dialog_closed(self.driver)
        self.assertEqual(self.driver.execute_script(
            "return document.getElementById('Text(0)').value.length"), length)
        self.assertEqual(self.texts()[1:], expected["fields"][1:] + [expected["pressure"]])

    def test_served_by_a_static_web_server(self):
        class Quiet(http.server.SimpleHTTPRequestHandler):
            def log_message(self, *args):
                pass
        handler = functools.partial(Quiet, directory=str(PAGE.parent))
        server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
        thread = threading.Thread(target=server.serve_forever, daemon=True)
        thread.start()
        try:
            self.open_page("http://127.0.0.1:%d/%s" % (server.server_port, PAGE.name))
            texts = {"Text(0)": "20", "Text(2)": "50", PRESSURE: "101.325"}
            [expected] = replay([(texts, "calculate")])
            self.assert_answer(texts, "calculate", expected, "over HTTP")
        finally:
            server.shutdown()
            server.server_close()

    def screenshot(self):
        """The window and the chart after the calculation, at twice the pixel density, as the
        README shows them."""
        with chromium.browser(width=1200, height=700) as driver:
            chromium.viewport(driver, 1200, 660, scale=2)
            driver.get(chromium.page_url(PAGE))
            chromium.open_dialog(driver)
            driver.find_element(By.ID, "message-ok").click()
            chromium.dialog_closed(driver)
            chromium.visible(driver, "form1")
            for field, text in (("Text(0)", "20"), ("Text(2)", "50"), (PRESSURE, "101.325")):
                driver.find_element(By.ID, field).send_keys(text)
            driver.find_element(By.ID, "Command1").click()
            chromium.wait(driver, lambda d: d.find_elements(By.ID, "chart-point"))
            driver.execute_script("document.activeElement.blur()")
            driver.find_element(By.CSS_SELECTOR, ".desk").screenshot(str(SCREENSHOT))

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
    @classmethod
    def setUpClass(cls):
        cls.browsers = chromium.browser(width=1400, height=900)
        cls.driver = cls.browsers.__enter__()

    def setUp(self):
        chromium.viewport(self.driver, 1400, 900)

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
        for _ in range(4):
            self.keys(Keys.TAB)
            visited.append(self.focused())
        self.assertEqual(visited, ["chart-layout-hd", "chart-layout-td", "chart-save-svg",
                                   "chart-save-png"])
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


def main():
    global PAGE, SCREENSHOT, NODE
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("page", type=pathlib.Path, help="out/web/index.html")
    parser.add_argument("--screenshot", type=pathlib.Path, help="where to draw the window")
    parser.add_argument("--node", default=NODE, help="node, to run replay.mjs beside the page")
    args, rest = parser.parse_known_args()
    PAGE = args.page.resolve()
    SCREENSHOT = args.screenshot.resolve() if args.screenshot else None
    NODE = args.node
    unittest.main(argv=[sys.argv[0]] + rest, verbosity=2)


if __name__ == "__main__":
    main()
