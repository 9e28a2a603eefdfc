#!/usr/bin/python3
"""The web page in Debian's headless chromium, used as a person would use it.

    browser_test.py out/web/index.html [--screenshot FILE] [--climate-screenshot FILE]
                    [--node NODE] [--climate TARVEL_CLIMATE] [unittest options]

Expected answers come from the golden files and from the node replay beside the page (the same
WebAssembly core, itself compared with the desktop replay), so this test checks the page: what it
shows, where, in which focus order, and that it hands the core the texts the window would.
--screenshot draws the window after a calculation into FILE (the README's picture), and
--climate-screenshot a real year on the chart beside the climate panel. The climate panel is
compared with the desktop build's tarvel-climate on the same files.

The tests are in window_test.py (PageTest), answers_test.py (AnswerTest), chart_test.py
(ChartTest), design_test.py (DesignTest) and climate_test.py (ClimateTest), over page_case.py.
"""

import argparse
import pathlib
import sys
import unittest

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[1] / "tools"))
sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[1] / "climate"))
import page_case  # noqa: E402
from answers_test import AnswerTest  # noqa: E402,F401
from chart_test import ChartTest  # noqa: E402,F401
from climate_test import ClimateTest  # noqa: E402,F401
from design_test import DesignTest  # noqa: E402,F401
from window_test import PageTest  # noqa: E402,F401


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("page", type=pathlib.Path, help="out/web/index.html")
    parser.add_argument("--screenshot", type=pathlib.Path, help="where to draw the window")
    parser.add_argument("--climate-screenshot", type=pathlib.Path,
                        help="where to draw a year on the chart beside the climate panel")
    parser.add_argument("--node", default=page_case.NODE,
                        help="node, to run replay.mjs beside the page")
    parser.add_argument("--climate", default=page_case.CLIMATE,
                        help="the desktop build's tarvel-climate")
    args, rest = parser.parse_known_args()
    page_case.PAGE = args.page.resolve()
    page_case.SCREENSHOT = args.screenshot.resolve() if args.screenshot else None
    page_case.CLIMATE_SCREENSHOT = (args.climate_screenshot.resolve() if args.climate_screenshot
                                    else None)
    page_case.NODE = args.node
    page_case.CLIMATE = args.climate
    unittest.main(argv=[sys.argv[0]] + rest, verbosity=2)


if __name__ == "__main__":
    main()
