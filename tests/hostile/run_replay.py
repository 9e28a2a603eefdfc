#!/usr/bin/env python3
"""The replay's hostile corpus (replay.jsonl) through a replay tool, in one run: each case's line,
then a calculation that must be answered as always, so that the tool is still there and unchanged.

    run_replay.py -- build/app/tarvel-replay
    run_replay.py -- node out/web/replay.mjs
"""

import json
import subprocess
import sys

import corpus

# After every case: 20 ℃ and 50 % at 101.325 kPa, and its answer.
PROBE = b'{"fields":["20","","50","","",""],"pressure":"101.325","command":"calculate"}'
PROBE_ANSWER = {"fault": False, "fields": ["20", "13.9", "50", "9.28", "7.26", "38.52"],
                "messages": [], "pressure": "101.325"}


def line_of(case):
    text = (corpus.request_text(corpus.expand(case["request"])) if "request" in case
            else corpus.expand(case["line"]))
    return corpus.as_bytes(text)


def main():
    if "--" not in sys.argv:
        sys.exit(__doc__)
    command = sys.argv[sys.argv.index("--") + 1:]
    cases = corpus.cases("replay")
    data = b"".join(line_of(case) + b"\n" + PROBE + b"\n" for case in cases)
    done = subprocess.run(command, input=data, stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    answers = done.stdout.split(b"\n")
    failures = []
    if done.returncode != 0 or done.stderr:
        failures.append("the tool ended with status %d: %s" % (done.returncode, done.stderr[-500:]))
    if answers[-1] == b"":
        answers.pop()
    for index, case in enumerate(cases):
        name = case["case"]
        if 2 * index + 1 >= len(answers):
            failures.append("%s: no answer (the tool stopped here)" % name)
            break
        try:
            answer = json.loads(answers[2 * index].decode("utf-8"))
            probe = json.loads(answers[2 * index + 1].decode("utf-8"))
        except ValueError as error:
            failures.append("%s: an answer that is not one line of UTF-8 JSON (%s)" % (name, error))
            continue
        found = corpus.mismatch(corpus.expand(case.get("expect", {})), answer, name)
        if found:
            failures.append(found)
        if probe != PROBE_ANSWER:
            failures.append("%s: the calculation after it is answered %s" % (name, probe))
    if len(answers) != 2 * len(cases):
        failures.append("%d answer lines to %d lines" % (len(answers), 2 * len(cases)))
    for failure in failures:
        print("FAIL", failure)
    print("%d cases, %d failures" % (len(cases), len(failures)))
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
