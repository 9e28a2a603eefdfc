#!/usr/bin/python3
"""Every caption, unit and button text of the page shows ink, with one font package alone.

    ink_test.py out/web/index.html --fonts PACKAGE [unittest options]

Chromium gets a fontconfig configuration (FONTCONFIG_FILE) that offers the files of one Debian
font package and nothing else, so a glyph that this font leaves empty cannot be drawn from
another one. The page is drawn twice, once as it is and once with every text made transparent; a
character shows ink when pixels inside its own box differ between the two. Looking at pixels
rather than at text content is the point: a text can hold "℃" and still show nothing.
"""

import argparse
import io
import pathlib
import subprocess
import sys
import tempfile
import unittest

from PIL import Image, ImageChops
from selenium.webdriver.common.by import By

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
import chromium  # noqa: E402

PAGE = None
PACKAGE = None
SCALE = 2
# Every caption, unit and button text in view: the window's, the chart's (with the summer example
# drawn on it), the altitude helper's and the process panel's (the table is below the fold).
TEXTS = ("#form1 label, #form1 .client span, #form1 .title, button:not(#design-states *), "
         "#chart text, #altitude label, #design-panel h2, #design-panel label, "
         "#design-panel .unit")

# The box of every character that is not a blank, in CSS pixels of the viewport.
CHARACTER_BOXES = """
const boxes = [];
for (const element of document.querySelectorAll(arguments[0])) {
  const walker = document.createTreeWalker(element, NodeFilter.SHOW_TEXT);
  for (let node = walker.nextNode(); node; node = walker.nextNode()) {
    for (let i = 0; i < node.data.length; i++) {
      if (/\\s/.test(node.data[i])) continue;
      const range = document.createRange();
      range.setStart(node, i);
      range.setEnd(node, i + 1);
      const r = range.getBoundingClientRect();
      if (r.width > 0 && r.height > 0)
        boxes.push({id: element.id || element.textContent, ch: node.data[i],
                    x: r.left, y: r.top, w: r.width, h: r.height});
    }
  }
}
return boxes;
"""

HIDE_TEXT = """
const style = document.createElement("style");
style.id = "ink-test-no-text";
style.textContent = "* { color: transparent !important; -webkit-text-fill-color: transparent " +
    "!important; } text, tspan { fill: transparent !important; stroke: none !important; }";
document.head.append(style);
"""


def fontconfig_for(package, folder):
    """A fontconfig configuration that offers only the package's font files."""
    files = subprocess.run(["dpkg", "-L", package], stdout=subprocess.PIPE, check=True,
                           text=True).stdout.split()
    fonts = folder / "fonts"
    fonts.mkdir()
    for name in files:
        if name.endswith((".ttf", ".ttc", ".otf")):
            (fonts / pathlib.Path(name).name).symlink_to(name)
    config = folder / "fonts.conf"
    config.write_text('<?xml version="1.0"?>\n<!DOCTYPE fontconfig SYSTEM "fonts.dtd">\n'
                      "<fontconfig><dir>%s</dir><cachedir>%s</cachedir></fontconfig>\n"
                      % (fonts, folder / "cache"), encoding="utf-8")
    return config


class InkTest(unittest.TestCase):
    def test_every_caption_unit_and_button_shows_ink(self):
        with tempfile.TemporaryDirectory(prefix="tarvel-fonts-") as folder:
            config = fontconfig_for(PACKAGE, pathlib.Path(folder))
            with chromium.browser(width=1400, height=900, scale=SCALE,
                                  env={"FONTCONFIG_FILE": str(config)}) as driver:
                self.check(driver)

    def check(self, driver):
        driver.get(chromium.page_url(PAGE))
        chromium.open_dialog(driver)
        driver.find_element(By.ID, "message-ok").click()
        chromium.dialog_closed(driver)
        chromium.visible(driver, "form1")
        # A calculated state, so that the chart shows its point and label too.
        for field, text in (("Text(0)", "20"), ("Text(2)", "50"), ("Text4", "101.325")):
            driver.find_element(By.ID, field).send_keys(text)
        driver.find_element(By.ID, "Command1").click()
        chromium.wait(driver, lambda d: d.find_element(By.ID, "Text(1)").get_attribute("value"))
        driver.find_element(By.ID, "design-example-summer").click()
        driver.execute_script("document.activeElement.blur()")
        boxes = driver.execute_script(CHARACTER_BOXES, TEXTS)
        self.assertIn("℃", [b["ch"] for b in boxes])
        shown = Image.open(io.BytesIO(driver.get_screenshot_as_png())).convert("L")
        driver.execute_script(HIDE_TEXT)
        blank = Image.open(io.BytesIO(driver.get_screenshot_as_png())).convert("L")
        difference = ImageChops.difference(shown, blank).point(lambda v: 255 if v > 60 else 0)
        empty = []
        for b in boxes:
            box = tuple(round(v * SCALE) for v in (b["x"], b["y"], b["x"] + b["w"],
                                                   b["y"] + b["h"]))
            if not difference.crop(box).getbbox():
                empty.append("%s in %r" % (b["ch"], b["id"]))
        self.assertEqual(empty, [], "characters without ink under fonts of %s" % PACKAGE)


def main():
    global PAGE, PACKAGE
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("page", type=pathlib.Path, help="out/web/index.html")
    parser.add_argument("--fonts", required=True, help="a Debian font package, e.g. "
                        "fonts-wqy-microhei")
    args, rest = parser.parse_known_args()
    PAGE = args.page.resolve()
    PACKAGE = args.fonts
    unittest.main(argv=[sys.argv[0]] + rest, verbosity=2)


if __name__ == "__main__":
    main()
