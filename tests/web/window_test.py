"""The window in the page: the start-up credit, the form's controls and their places, the focus
order, the keyboard, and every message with its text, icon and title.
"""

import re

from selenium.common.exceptions import ElementClickInterceptedException
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

import chromium
import page_case
from page_case import PRESSURE, ROOT, TAB_ORDER, PageCase, replay

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


def start_up_credit():
    """The start-up text as the desktop window shows it (panel/start_up_text.h)."""
    source = (ROOT / "panel" / "start_up_text.h").read_text(encoding="utf-8")
    literals = re.search(r'kStartUpCredit\s*=\s*((?:"(?:[^"\\]|\\.)*"\s*)+);', source).group(1)
    text = "".join(re.findall(r'"((?:[^"\\]|\\.)*)"', literals))
    return re.sub(r"\\(.)", lambda m: {"n": "\n", "t": "\t"}.get(m.group(1), m.group(1)), text)


class PageTest(PageCase):
    """What the window shows, where, and how it is used."""
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
        if page_case.SCREENSHOT:
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

    def screenshot(self):
        """The window and the chart after the calculation, with the summer example of the
        process panel drawn on the chart and listed in the table, at twice the pixel density, as
        the README shows them."""
        with chromium.browser(width=1240, height=1000) as driver:
            chromium.viewport(driver, 1240, 980, scale=2)
            chromium.shown_page(driver, chromium.page_url(page_case.PAGE))
            chromium.visible(driver, "form1")
            for field, text in (("Text(0)", "20"), ("Text(2)", "50"), (PRESSURE, "101.325")):
                driver.find_element(By.ID, field).send_keys(text)
            driver.find_element(By.ID, "Command1").click()
            chromium.wait(driver, lambda d: d.find_elements(By.ID, "chart-point"))
            driver.find_element(By.ID, "design-example-summer").click()
            chromium.wait(driver, lambda d: d.find_elements(By.CSS_SELECTOR, "#design-states td"))
            driver.execute_script("document.activeElement.blur()")
            driver.find_element(By.CSS_SELECTOR, ".desk").screenshot(str(page_case.SCREENSHOT))
