"""Debian's chromium, headless, driven by chromium-driver through Selenium (python3-selenium).

Shared by the browser test and the page measurements. Nothing is fetched from the network:
every background service of the browser is off and each run has a fresh profile.
"""

import contextlib
import os
import pathlib
import shutil
import tempfile

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.support import expected_conditions
from selenium.webdriver.support.ui import WebDriverWait

CHROMIUM = os.environ.get("TARVEL_CHROMIUM", "/usr/bin/chromium")
CHROMEDRIVER = os.environ.get("TARVEL_CHROMEDRIVER", "/usr/bin/chromedriver")
# Explicit waits only: how long to wait for the page before giving up, not a speed requirement.
PATIENCE = 30


@contextlib.contextmanager
def browser(width=800, height=600, scale=1, env=None):
    """A headless chromium window of the given size in CSS pixels and device pixel ratio; env
    adds variables to the browser's environment."""
    profile = tempfile.mkdtemp(prefix="tarvel-chromium-")
    options = webdriver.ChromeOptions()
    options.binary_location = CHROMIUM
    for flag in ("--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
                 "--no-first-run", "--disable-background-networking",
                 "--disable-component-update", "--disable-sync", "--disable-dev-shm-usage",
                 "--user-data-dir=" + profile, "--window-size=%d,%d" % (width, height),
                 "--force-device-scale-factor=%s" % scale, "--lang=zh-CN"):
        options.add_argument(flag)
    # Keep the page's console, so that tests can require that it reported no error.
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    service = Service(executable_path=CHROMEDRIVER, env=dict(os.environ, **(env or {})))
    driver = webdriver.Chrome(service=service, options=options)
    try:
        yield driver
    finally:
        driver.quit()
        shutil.rmtree(profile, ignore_errors=True)


def page_url(path):
    return pathlib.Path(path).resolve().as_uri()


def wait(driver, condition, timeout=PATIENCE):
    return WebDriverWait(driver, timeout).until(condition)


def open_dialog(driver):
    """The message dialog, once it is open."""
    return wait(driver, lambda d: d.find_element(By.CSS_SELECTOR, "dialog#message[open]"))


def dialog_closed(driver):
    wait(driver, lambda d: not d.find_elements(By.CSS_SELECTOR, "dialog#message[open]"))


def shown_page(driver, url):
    """Loads the page and closes its start-up credit."""
    driver.get(url)
    open_dialog(driver)
    driver.find_element(By.ID, "message-ok").click()
    dialog_closed(driver)


def visible(driver, element_id):
    return wait(driver, expected_conditions.visibility_of_element_located((By.ID, element_id)))


def viewport(driver, width, height, scale=1, mobile=False):
    """Makes the page's viewport exactly width × height CSS pixels (a phone's when mobile)."""
    driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
        "width": width, "height": height, "deviceScaleFactor": scale, "mobile": mobile})
