"""What the browser tests share: the page under test, the node replay beside it, the desktop
build's tarvel-climate, and PageCase, one headless chromium for a class of tests with the ways they
use the page. browser_test.py sets PAGE, SCREENSHOT, CLIMATE_SCREENSHOT, NODE and CLIMATE from its
command line.
"""

import json
import pathlib
import re
import subprocess
import unittest

from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By

import chromium

ROOT = pathlib.Path(__file__).resolve().parents[2]
PAGE = None
SCREENSHOT = None
CLIMATE_SCREENSHOT = None
NODE = "node"
CLIMATE = str(ROOT / "build" / "app" / "tarvel-climate")

# The fields by their index in the core and in the replay protocol: Text(0) to Text(5), Text4.
FIELDS = ["Text(0)", "Text(1)", "Text(2)", "Text(3)", "Text(4)", "Text(5)", "Text4"]
PRESSURE = "Text4"

# The window's focus order: relative humidity before the wet bulb, then the pressure.
TAB_ORDER = ["Text(0)", "Text(2)", "Text(1)", "Text4", "Text(3)", "Text(4)", "Text(5)",
             "Command1", "Command2"]


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


class PageCase(unittest.TestCase):
    """One browser for a class of tests, and how they use the page. A class that sets SCREEN to
    (width, height) has a screen of that many CSS pixels, set again before each test; otherwise the
    browser's window is 800 × 600."""
    SCREEN = None

    @classmethod
    def setUpClass(cls):
        width, height = cls.SCREEN or (800, 600)
        cls.browsers = chromium.browser(width=width, height=height)
        cls.driver = cls.browsers.__enter__()

    def setUp(self):
        if self.SCREEN:
            chromium.viewport(self.driver, *self.SCREEN)

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
