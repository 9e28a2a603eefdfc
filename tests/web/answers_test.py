"""The page's answers: every golden case, random requests and bad texts answered through the page's
own buttons exactly as the node replay answers them, a text larger than the core's first memory,
and the page served by a static web server.
"""

import functools
import http.server
import json
import re
import threading

import chromium
import page_case
import random_requests
from page_case import FIELDS, PRESSURE, ROOT, PageCase, replay

# Texts nobody should type, each in the dry-bulb field with a relative humidity of 50 at
# 101.325 kPa, or in every field.
BAD_TEXTS = [
    "1" * 200000, "2" + "0" * 5000 + "e-5000", "\u0001\u0002 2\u00070", "\u0000", "\u007f20",
    "🌡️20", "20😀", "😀", "\ud83c20", "20\udc00", "\u202e20", "\ufeff20", "\u00a020",
    "&H" + "F" * 3000, "\u0300", "二十", "２０",
]


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


class AnswerTest(PageCase):
    """The page hands the core the texts the window would, and shows what it answers."""
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
        handler = functools.partial(Quiet, directory=str(page_case.PAGE.parent))
        server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
        thread = threading.Thread(target=server.serve_forever, daemon=True)
        thread.start()
        try:
            self.open_page("http://127.0.0.1:%d/%s" % (server.server_port, page_case.PAGE.name))
            texts = {"Text(0)": "20", "Text(2)": "50", PRESSURE: "101.325"}
            [expected] = replay([(texts, "calculate")])
            self.assert_answer(texts, "calculate", expected, "over HTTP")
        finally:
            server.shutdown()
            server.server_close()
